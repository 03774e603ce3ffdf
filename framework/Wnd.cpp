#include "Framework.h"

#include <cstdio>
#include <exception>
#include <new>
#include <unordered_map>

namespace {

// The objects of the framework's windows, by handle. Every message to each of these
// windows looks its object up: Wine keeps window properties in its server, a round
// trip of about 30 us each, so the table is the process's own.
class WindowObjects {
public:
    WindowObjects() { ::InitializeCriticalSection(&m_lock); }
    CWnd* Find(HWND hWnd) noexcept
    {
        Locked locked(m_lock);
        auto found = m_objects.find(hWnd);
        return found == m_objects.end() ? nullptr : found->second;
    }
    // False when there was no memory to record it.
    bool Add(HWND hWnd, CWnd* wnd) noexcept
    {
        Locked locked(m_lock);
        try {
            return m_objects.emplace(hWnd, wnd).second;
        } catch (...) {
            return false;
        }
    }
    void Remove(HWND hWnd, const CWnd* wnd) noexcept
    {
        Locked locked(m_lock);
        auto found = m_objects.find(hWnd);
        if (found != m_objects.end() && found->second == wnd) m_objects.erase(found);
    }

private:
    class Locked {
    public:
        explicit Locked(CRITICAL_SECTION& lock) : m_lock(lock) { ::EnterCriticalSection(&m_lock); }
        ~Locked() { ::LeaveCriticalSection(&m_lock); }
        Locked(const Locked&) = delete;
        Locked& operator=(const Locked&) = delete;

    private:
        CRITICAL_SECTION& m_lock;
    };
    CRITICAL_SECTION m_lock;
    std::unordered_map<HWND, CWnd*> m_objects;
};

// Built in place, so that no look-up can fail for memory, and never destroyed: windows
// and their objects may outlive static destruction.
WindowObjects& Objects() noexcept
{
    alignas(WindowObjects) static unsigned char storage[sizeof(WindowObjects)];
    static WindowObjects* objects = new (storage) WindowObjects;
    return *objects;
}

thread_local CWnd* t_windowBeingCreated = nullptr;
thread_local HHOOK t_creationHook = nullptr;

LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_windowBeingCreated) {
        CWnd* wnd = t_windowBeingCreated;
        t_windowBeingCreated = nullptr;
        // Nothing may unwind through the platform's window creation.
        try {
            wnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
        } catch (...) {
            AfxReportCaughtException("creation hook", WM_CREATE);
        }
    }
    return CallNextHookEx(t_creationHook, code, wParam, lParam);
}

}  // namespace

void AfxReportCaughtException(const char* where, UINT message) noexcept
{
    char what[160] = "an exception of unknown type";
    try {
        throw;
    } catch (const std::exception& e) {
        lstrcpynA(what, e.what(), sizeof what);
    } catch (...) {
    }
    char text[256];
    snprintf(text, sizeof text, "%s swallowed %s while handling message 0x%04X\n", where, what, message);
    ::OutputDebugStringA(text);
}

// A window created while another is being created (a dialog opened from another's
// start-up) gets a hook of its own; the outer one's slot and hook come back after it.
CreationHook::CreationHook(CWnd* wnd) : m_previousWindow(t_windowBeingCreated), m_previousHook(t_creationHook)
{
    t_windowBeingCreated = wnd;
    t_creationHook = SetWindowsHookExA(WH_CBT, CreationHookProc, nullptr, GetCurrentThreadId());
}

CreationHook::~CreationHook()
{
    if (t_creationHook) UnhookWindowsHookEx(t_creationHook);
    t_windowBeingCreated = m_previousWindow;
    t_creationHook = m_previousHook;
}

CWnd::~CWnd()
{
    // A window must never call into an object that is gone.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        HWND hWnd = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(hWnd);
    } else if (m_hWnd) {
        // Its window went without a word to the object.
        Objects().Remove(m_hWnd, this);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? Objects().Find(hWnd) : nullptr;
}

bool CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || !Objects().Add(hWnd, this)) return false;
    m_hWnd = hWnd;
    // Setting the procedure through the other character set's function would change the
    // window's: a Unicode window stays one only when subclassed with the wide function.
    m_unicode = ::IsWindowUnicode(hWnd) != FALSE;
    const LONG_PTR proc = reinterpret_cast<LONG_PTR>(&CWnd::WndProc);
    m_superProc = reinterpret_cast<WNDPROC>(m_unicode ? ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, proc)
                                                      : ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, proc));
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd) return nullptr;
    if (m_superProc) {
        const LONG_PTR proc = reinterpret_cast<LONG_PTR>(m_superProc);
        if (m_unicode) ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, proc);
        else ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, proc);
    }
    Objects().Remove(hWnd, this);
    m_superProc = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

bool CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id)
{
    if (m_hWnd) return false;
    HWND hWnd = ::CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top,
                                  parent ? parent->m_hWnd : nullptr,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    return hWnd && SubclassWindow(hWnd);
}

bool CWnd::DestroyWindow()
{
    if (!m_hWnd) return false;
    // WM_NCDESTROY detaches the object while the window goes.
    return ::DestroyWindow(m_hWnd) != FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::GetDlgItemText(int id, LPSTR text, int maxCount) const
{
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, id, text, maxCount));
}

int CWnd::GetWindowText(LPSTR text, int maxCount) const
{
    return ::GetWindowTextA(m_hWnd, text, maxCount);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

void CWnd::CenterWindow()
{
    RECT window, area;
    ::GetWindowRect(m_hWnd, &window);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    int width = window.right - window.left, height = window.bottom - window.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    // Keep the whole window on the work area, its caption first.
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::WinHelp(DWORD_PTR data, UINT command)
{
    // The platform's help engine, with a help file named after the executable.
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    char* dot = strrchr(path, '.');
    if (!dot || static_cast<size_t>(dot - path) + 5 > sizeof path) return;
    strcpy(dot, ".HLP");
    ::WinHelpA(m_hWnd, path, command, data);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && OnCommand(wParam, lParam)) return 0;
    if (message != WM_COMMAND) {
        if (const MessageMapEntry* entry = FindMessageEntry(message))
            return entry->handler(this, wParam, lParam);
    }
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return OnCmdMsg(LOWORD(wParam), CommandCode(wParam, lParam)) ? TRUE : FALSE;
}

UINT CWnd::CommandCode(WPARAM wParam, LPARAM lParam)
{
    // An accelerator (code 1, no control) is the same command as its menu item (code 0).
    UINT code = HIWORD(wParam);
    return lParam == 0 && code == 1 ? 0 : code;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The message is in the window's own character set, and goes on in it.
    if (m_unicode) {
        if (m_superProc) return ::CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
    if (m_superProc) return ::CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (!wnd)
        return ::IsWindowUnicode(hWnd) ? ::DefWindowProcW(hWnd, message, wParam, lParam)
                                       : ::DefWindowProcA(hWnd, message, wParam, lParam);

    MSG previous = wnd->m_currentMsg;
    wnd->m_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    // Nothing may unwind through the platform's window code.
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        AfxReportCaughtException("window procedure", message);
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        // The window is gone: the object no longer speaks for it.
        if (wnd->m_hWnd == hWnd) wnd->UnsubclassWindow();
        return result;
    }
    if (wnd->m_hWnd == hWnd) wnd->m_currentMsg = previous;
    return result;
}
