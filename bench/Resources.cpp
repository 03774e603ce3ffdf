#include "Resources.h"

#include <psapi.h>

#include "support/GuiObjects.h"

namespace {

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
    GdiHandleCounts table;
    if (CountGdiHandles(table)) {
        counts.gdiLive = table.used;
        counts.fontsLive = table.fonts;
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
