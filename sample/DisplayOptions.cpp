// The sample box's two display options: word wrap and the vertical scroll bar.
#include "viewer/ViewerDlg.h"

void CViewerDlg::ToggleWordWrap()
{
}

void CViewerDlg::ToggleScrollbar()
{
}

void CViewerDlg::ApplyScrollbar()
{
}
