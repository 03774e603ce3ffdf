// The start-up floor: the platform's own cost of what Typoscope's start does at
// the least. It creates the main window's dialog from the same template,
// enumerates the display's fonts once and shows the dialog until it is closed.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"

namespace {

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM context)
{
    ++*reinterpret_cast<long*>(context);
    return 1;
}

INT_PTR CALLBACK FloorProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        long faces = 0;
        HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        EnumFontsA(display, nullptr, CountFace, reinterpret_cast<LPARAM>(&faces));
        DeleteDC(display);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, faces);
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(hWnd, 1);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VIEWER), nullptr, FloorProc, 0));
}
