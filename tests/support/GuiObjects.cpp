#include "GuiObjects.h"

#include <windows.h>
#include <winternl.h>

#include <string>
#include <vector>

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
static_assert(sizeof(GdiHandleEntry) == 24, "Wine's GDI handle entry");

const int kGdiHandles = 0x10000;
const UCHAR kFontType = 0x0a;
const UINT kUserHandleProbes = 0x3000;

// Where the process's GDI handle table lies in its address space.
const GdiHandleEntry* GdiHandleTable(HANDLE process)
{
    if (!WineVersion()) return nullptr;
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return nullptr;
    const char* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
    if (!peb) return nullptr;
#ifdef _WIN64
    const size_t offset = 0xF8;
#else
    const size_t offset = 0x94;
#endif
    const GdiHandleEntry* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, peb + offset, &table, sizeof table, &read) || read != sizeof table) return nullptr;
    return table;
}

}  // namespace

const char* WineVersion()
{
    using VersionFn = const char*(CDECL*)();
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto version = ntdll ? reinterpret_cast<VersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")))
                         : nullptr;
    return version ? version() : nullptr;
}

bool CountGdiHandles(GdiHandleCounts& counts, HANDLE process)
{
    counts = GdiHandleCounts();
    const GdiHandleEntry* remote = GdiHandleTable(process);
    if (!remote) return false;
    std::vector<GdiHandleEntry> table(kGdiHandles);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, remote, table.data(), table.size() * sizeof table[0], &read) ||
        read != table.size() * sizeof table[0])
        return false;
    for (int i = 0; i < kGdiHandles; ++i) {
        if (!table[i].type) continue;
        ++counts.used;
        ++counts.byType[table[i].type];
    }
    counts.fonts = counts.byType[kFontType];
    return true;
}

int GdiObjectCount()
{
    DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted) return static_cast<int>(counted);
    GdiHandleCounts table;
    return CountGdiHandles(table) ? table.used : -1;
}

std::string GdiObjectKinds()
{
    GdiHandleCounts table;
    if (!CountGdiHandles(table)) return "";
    static const struct { int type; const char* name; } kKinds[] = {
        {0x01, "DCs"}, {0x04, "regions"}, {0x05, "bitmaps"}, {0x08, "palettes"}, {kFontType, "fonts"},
        {0x10, "brushes"}, {0x21, "metafile DCs"}, {0x30, "pens"}, {0x50, "extended pens"}};
    std::string text;
    for (int type = 1; type < 256; ++type) {
        if (!table.byType[type]) continue;
        std::string name = "type " + std::to_string(type);
        for (const auto& kind : kKinds)
            if (kind.type == type) name = kind.name;
        text += (text.empty() ? "" : ", ") + std::to_string(table.byType[type]) + " " + name;
    }
    return text;
}

int GdiFontCount()
{
    GdiHandleCounts table;
    return CountGdiHandles(table) ? table.fonts : -1;
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
