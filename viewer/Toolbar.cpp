// The toolbar and its tooltips.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"

void CViewerDlg::CreateToolBar()
{
}

void CViewerDlg::DestroyToolBar()
{
    if (!ToolBar) return;
    ToolBar->DestroyWindow();
    delete ToolBar;
    ToolBar = nullptr;
}

void CViewerDlg::SetToolbarButtonChecked(int commandId, int checked)
{
    if (ToolBar) ToolBar->SendMessage(TB_CHECKBUTTON, static_cast<WPARAM>(commandId), MAKELPARAM(checked, 0));
}

BOOL CViewerDlg::PreTranslateMessage(MSG* msg)
{
    if (TipControl.m_hWnd) TipControl.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}
