#include "Framework.h"

#include <cstring>

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (!control.m_hWnd) control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    // Without a parent, a dialog other than the main window belongs to the main window.
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd && app->m_pMainWnd != this) owner = app->m_pMainWnd->m_hWnd;
    }
    if (owner) owner = ::GetAncestor(owner, GA_ROOT);
    bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner) ::EnableWindow(owner, FALSE);

    m_ended = false;
    m_modalResult = -1;
    HWND hWnd;
    {
        CreationHook hook(this);
        hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId), owner,
                                    &CDialog::DialogProc, 0);
    }
    if (hWnd) {
        if (!(GetStyle() & WS_VISIBLE)) {
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
            ::UpdateWindow(hWnd);
        }
        RunModalLoop();
        // Hide first, so that the owner is active again before the dialog disappears.
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    } else if (m_hWnd) {
        UnsubclassWindow();
    }
    if (disabledOwner) ::EnableWindow(owner, TRUE);
    if (owner && hWnd && ::GetActiveWindow() == hWnd) ::SetActiveWindow(owner);
    if (m_hWnd) DestroyWindow();
    return m_modalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_ended) {
        // Wide, so that typed characters reach a Unicode control whole, whatever the code page.
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // A quit request ends this loop and goes on to the loop below it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;

        bool translated = false;
        for (HWND h = msg.hwnd; h && !translated; h = ::GetParent(h)) {
            CWnd* wnd = FromHandlePermanent(h);
            if (wnd) {
                try {
                    translated = wnd->PreTranslateMessage(&msg) != FALSE;
                } catch (...) {
                    AfxReportCaughtException("modal loop", msg.message);
                    translated = true;
                }
            }
            if (h == m_hWnd) break;
        }
        if (!translated) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!m_hWnd) break;
    }
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    m_ended = true;
    // Wake the loop if the request came from outside a dispatched message.
    if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return true;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_hWnd) return FALSE;
    bool ours = msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd);
    if (!ours) return FALSE;

    if (msg->message == WM_KEYDOWN) {
        // Escape and Ctrl+Break mean Cancel before the focused control sees them:
        // a multi-line edit control would otherwise act on them itself.
        if (msg->wParam == VK_ESCAPE || msg->wParam == VK_CANCEL) {
            HWND cancel = GetDlgItem(IDCANCEL);
            if (!cancel || ::IsWindowEnabled(cancel)) {
                SendMessage(WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }
        }
        // F1 alone asks for help.
        if (msg->wParam == VK_F1 && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
            ::GetKeyState(VK_MENU) >= 0) {
            SendMessage(WM_COMMAND, ID_HELP, 0);
            return TRUE;
        }
    }
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    return input && ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        BOOL focusDefault = OnInitDialog();
        CenterWindow();
        return focusDefault;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;
    // Commands nobody in the window handles go to the application, from its main window only.
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) return app->OnCmdMsg(LOWORD(wParam), CommandCode(wParam, lParam)) ? TRUE : FALSE;
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    // Everything is handled in WindowProc, behind its barrier (the creation hook puts it
    // before the dialog manager); this leaves the rest to the dialog manager and cannot throw.
    return FALSE;
}
