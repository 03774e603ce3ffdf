#include "viewer/ViewerDlg.h"

void CViewerDlg::ShowAboutBox()
{
}

void CViewerDlg::ShowHelpMessage()
{
}

void CViewerDlg::ShowPrinterDialog(BOOL)
{
}
