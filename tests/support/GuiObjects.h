// Counts of this process's GDI and USER objects, for finding leaked handles; shared
// by the tests and the benchmarks.
#pragma once

#include <windows.h>

#include <string>

// Wine's version ("8.0"), or nullptr where the program does not run on Wine.
const char* WineVersion();

// The used entries of this process's GDI handle table: all of them, the fonts among
// them, and how many of each kind (indexed by the entry's type byte).
struct GdiHandleCounts {
    int used = 0;
    int fonts = 0;
    int byType[256] = {};
};
// False where there is no table to read: only Wine's is read, whose entries have one
// layout in 32-bit and 64-bit processes. Another process needs PROCESS_VM_READ and
// PROCESS_QUERY_INFORMATION, and the same bitness.
bool CountGdiHandles(GdiHandleCounts& counts, HANDLE process = GetCurrentProcess());

// GDI objects of this process: GetGuiResources where the platform counts them; where it
// returns 0 (Wine's is a stub), the used entries of the process's GDI handle table.
int GdiObjectCount();
// The used entries of the GDI handle table by kind ("12 DCs, 40 fonts, ..."), or ""
// where there is no such table to read.
std::string GdiObjectKinds();
// The fonts among them, where the GDI handle table can be read; -1 where it cannot.
int GdiFontCount();
// USER objects of this process: GetGuiResources, or where that is a stub, the windows of
// this process and the menus found by probing the user handle range (Wine's handles are
// small indices and match any generation when the upper word is 0).
int UserObjectCount();
