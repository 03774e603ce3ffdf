// Moved to a screen of another scale (Windows 8.1 on): the window takes the size the
// system suggests and everything it sizes in pixels is made anew for the new scale.
// The template's controls and their font are the system's to scale.
#include "viewer/ViewerDlg.h"

void CViewerDlg::OnDpiChanged(int dpi, const RECT* suggested)
{
    const int old = ShownDpi;
    if (dpi > 0 && Initialized) {
        // The system scales the controls from where the template put them, and sizes the
        // window within the new scale's minimum: the shift below the toolbar is taken back
        // first and made anew at the layout below.
        ShiftControls(0);
        ShownDpi = dpi;
    }
    Default();
    if (dpi <= 0 || !Initialized) return;

    int rowHeight = static_cast<int>(FontList.SendMessage(LB_GETITEMHEIGHT, 0, 0));
    if (rowHeight > 0 && old > 0)
        FontList.SendMessage(LB_SETITEMHEIGHT, 0, MAKELPARAM(MulDiv(rowHeight, dpi, old), 0));
    if (ToolBar) {
        // Its images and buttons are chosen when it is made; the attribute buttons take their boxes' states again.
        DestroyToolBar();
        CreateToolBar();
    }
    RebuildPreviewFont();

    if (suggested)
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may not have changed, and the toolbar is new: lay out in any case.
    RECT client;
    GetClientRect(&client);
    LayoutControls(client.right, client.bottom);
}
