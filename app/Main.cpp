// The entry point and the one application object of Typoscope.exe.
#include "app/ViewerApp.h"

CViewerApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(instance);
}
