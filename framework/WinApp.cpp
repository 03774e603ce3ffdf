#include "Framework.h"

namespace {
CWinApp* g_app = nullptr;
HINSTANCE g_resourceHandle = nullptr;
}  // namespace

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return 0;
}

BOOL CWinApp::Enable3dControlsStatic()
{
    return TRUE;
}

void CWinApp::OnHelp()
{
    if (m_pMainWnd) m_pMainWnd->WinHelp(0, HELP_CONTENTS);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceHandle ? g_resourceHandle : ::GetModuleHandleA(nullptr);
}

void AfxInitFramework(HINSTANCE instance)
{
    g_resourceHandle = instance;
    if (g_app) g_app->m_hInstance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

int AfxWinMain(HINSTANCE instance)
{
    AfxInitFramework(instance);
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    try {
        if (app->InitInstance()) return app->Run();
        return app->ExitInstance();
    } catch (...) {
        AfxReportCaughtException("application", 0);
        return -1;
    }
}
