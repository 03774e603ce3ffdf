// The sample file beside the executable, and the main window's closing.
#include "viewer/ViewerDlg.h"

void CViewerDlg::SaveSampleFile()
{
}

void CViewerDlg::OnClose()
{
    SaveSampleFile();
    delete PreviewFont;
    PreviewFont = nullptr;
    DestroyToolBar();
    EndDialog(1);
}
