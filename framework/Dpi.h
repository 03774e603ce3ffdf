// The scale a window is shown at, on every system from Windows XP on.
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The dots per inch of a size given at 100 %.
const int kBaseDpi = 96;

// The window's dots per inch: its monitor's where the system tells each window's
// (Windows 10 on), else the screen's, which is then every window's.
int WindowDpi(HWND hWnd);

// A size in pixels at 100 %, at this scale.
inline int ScaledToDpi(int pixels, int dpi)
{
    return MulDiv(pixels, dpi, kBaseDpi);
}
