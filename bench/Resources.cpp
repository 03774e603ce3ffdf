#include "Resources.h"

#include <psapi.h>
#include <winternl.h>

namespace {

// Wine keeps its GDI handle table in the process and publishes it in the PEB,
// as Windows does; its entries are the same size in 32-bit and 64-bit processes.
struct WineGdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(WineGdiHandleEntry) == 24, "Wine's GDI handle entry");

const int kGdiHandleCount = 0x10000;
const UCHAR kFontType = 0x0a;

const char* WineVersion()
{
    typedef const char*(CDECL * VersionFn)();
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    VersionFn version = ntdll ? reinterpret_cast<VersionFn>(
                                    reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")))
                              : nullptr;
    return version ? version() : nullptr;
}

const WineGdiHandleEntry* WineGdiTable()
{
    if (!WineVersion()) return nullptr;
    typedef NTSTATUS(NTAPI * QueryFn)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    QueryFn query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return nullptr;
    const BYTE* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
#ifdef _WIN64
    const size_t offset = 0xF8;
#else
    const size_t offset = 0x94;
#endif
    return *reinterpret_cast<const WineGdiHandleEntry* const*>(peb + offset);
}

BOOL CALLBACK CountChild(HWND, LPARAM context)
{
    ++*reinterpret_cast<long*>(context);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM context)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    if (processId != GetCurrentProcessId()) return TRUE;
    long* count = reinterpret_cast<long*>(context);
    ++*count;
    EnumChildWindows(hWnd, CountChild, context);
    return TRUE;
}

long CountThreadMessageWindows()
{
    long count = 0;
    HWND child = nullptr;
    while ((child = FindWindowExA(HWND_MESSAGE, child, nullptr, nullptr)) != nullptr) {
        DWORD processId = 0;
        GetWindowThreadProcessId(child, &processId);
        if (processId == GetCurrentProcessId()) ++count;
    }
    return count;
}

SIZE_T HeapBytesInUse()
{
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    if (count > 256) count = 256;
    SIZE_T total = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

}  // namespace

ResourceCounts CountResources()
{
    ResourceCounts counts;
    counts.gdiReported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.userReported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (const WineGdiHandleEntry* table = WineGdiTable()) {
        counts.gdiLive = 0;
        counts.fontsLive = 0;
        for (int i = 0; i < kGdiHandleCount; ++i) {
            if (!table[i].type) continue;
            ++counts.gdiLive;
            if (table[i].type == kFontType) ++counts.fontsLive;
        }
    }
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counts.windows));
    counts.windows += CountThreadMessageWindows();
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        // Wine leaves PrivateUsage at 0; the commit charge is the same figure there.
        counts.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        counts.workingSet = memory.WorkingSetSize;
    }
    counts.heapBytes = HeapBytesInUse();
    return counts;
}

bool GuiResourcesAnswer(const ResourceCounts& counts)
{
    return counts.gdiReported != 0 || counts.userReported != 0;
}

std::string PlatformName()
{
    const char* wine = WineVersion();
    return wine ? std::string("Wine ") + wine : std::string("Windows");
}
