// Counts of this process's GDI and USER objects, for finding leaked handles.
#pragma once

// GDI objects of this process: GetGuiResources where the platform counts them; where it
// returns 0 (Wine's is a stub), the used entries of the process's GDI handle table.
int GdiObjectCount();
// USER objects of this process: GetGuiResources, or where that is a stub, the windows of
// this process and the menus found by probing the user handle range (Wine's handles are
// small indices and match any generation when the upper word is 0).
int UserObjectCount();
