// The process's GDI and USER objects and its memory, for the leak check.
#pragma once

#include <windows.h>

#include <string>

struct ResourceCounts {
    DWORD gdiReported = 0;   // GetGuiResources(GR_GDIOBJECTS)
    DWORD userReported = 0;  // GetGuiResources(GR_USEROBJECTS)
    long gdiLive = -1;       // live entries of this process in the GDI handle table; -1 if unreadable
    long fontsLive = -1;     // of those, fonts
    long windows = 0;        // windows of this process, children included
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    SIZE_T heapBytes = 0;    // blocks in use in the process's heaps: the Windows side of private memory
};

ResourceCounts CountResources();

// True when the platform's GetGuiResources answers (it is a stub that returns 0 on Wine).
bool GuiResourcesAnswer(const ResourceCounts& counts);

// "Wine 8.0" or "Windows".
std::string PlatformName();
