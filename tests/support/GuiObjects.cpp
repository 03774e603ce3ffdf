#include "GuiObjects.h"

#include <windows.h>
#include <winternl.h>

namespace {

// An entry of the GDI handle table that the process environment block points to.
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 user;
};
const int kGdiHandles = 0x10000;
const UINT kUserHandleProbes = 0x3000;

const GdiHandleEntry* GdiHandleTable()
{
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return nullptr;
    const char* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
    if (!peb) return nullptr;
#ifdef _WIN64
    const size_t offset = 0xF8;
#else
    const size_t offset = 0x94;
#endif
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + offset);
}

}  // namespace

int GdiObjectCount()
{
    DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted) return static_cast<int>(counted);
    const GdiHandleEntry* table = GdiHandleTable();
    if (!table) return -1;
    int used = 0;
    for (int i = 0; i < kGdiHandles; ++i)
        if (table[i].type) ++used;
    return used;
}

int UserObjectCount()
{
    DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (counted) return static_cast<int>(counted);
    int used = 0;
    for (UINT i = 0; i < kUserHandleProbes; ++i) {
        UINT_PTR value = 0x20 + 2 * i;
        HWND window = reinterpret_cast<HWND>(value);
        if (IsWindow(window)) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId()) ++used;
        } else if (IsMenu(reinterpret_cast<HMENU>(value))) {
            ++used;
        }
    }
    return used;
}
