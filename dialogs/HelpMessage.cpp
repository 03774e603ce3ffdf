// Help, Help (and F1): the help text in a message box of the main window.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"

void CViewerDlg::ShowHelpMessage()
{
    char text[4096];
    if (LoadStringA(AfxGetResourceHandle(), IDS_HELP_TEXT, text, sizeof text) <= 0) return;
    MessageBox(text, "Typoscope v1.0", MB_ICONINFORMATION | MB_OK);
}
