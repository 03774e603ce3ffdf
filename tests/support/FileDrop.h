// Files dropped on a window as the shell drops them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The shell's block for WM_DROPFILES: a movable, shareable global DROPFILES with the wide
// names one after another, the last followed by a second NUL. The receiver frees it
// (DragFinish); null when it could not be made.
HGLOBAL MakeFileDrop(const std::vector<std::wstring>& paths);
