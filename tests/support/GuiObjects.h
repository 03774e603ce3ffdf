// Counts of this process's GDI and USER objects, for finding leaked handles.
#pragma once

#include <string>

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
