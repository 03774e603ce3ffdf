#include "dialogs/AboutDlg.h"

#include "res/resource.h"
#include "viewer/ViewerDlg.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

// No parent: the framework makes the main window the owner.
CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINK_LABEL, LinkLabel);
}

void CViewerDlg::ShowAboutBox()
{
    CAboutDlg about;
    about.DoModal();
}
