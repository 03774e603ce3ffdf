#include "app/ViewerApp.h"

#include "viewer/ViewerDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CViewerApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CViewerApp::~CViewerApp() = default;

BOOL CViewerApp::InitInstance()
{
    Enable3dControlsStatic();
    LoadSettings();
    {
        CViewerDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        SaveSettings();
        m_pMainWnd = nullptr;
    }
    // No message loop of the application's own: the run is over.
    return FALSE;
}
