// CWnd: owns the link between a window handle and the object that handles its
// messages. Windows the framework creates or subclasses send every message
// through the object's message table before the window's own procedure.
#pragma once

#include "MessageMap.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }

    // The object attached to a window by this framework, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Routes the window's messages through this object until the window is destroyed.
    bool SubclassWindow(HWND hWnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    bool CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id);
    bool DestroyWindow();

    // Thin forms of the platform calls the program makes on its windows.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
    void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    int GetDlgItemText(int id, LPSTR text, int maxCount) const;
    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
    int GetWindowText(LPSTR text, int maxCount) const;
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
    void CenterWindow();

    virtual BOOL PreTranslateMessage(MSG* msg);
    // Help requests land here; the program's own window decides what help means.
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Command and control notifications; true when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // The notification code a WM_COMMAND's table entry is looked up with.
    static UINT CommandCode(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The platform's own handling of the message being handled now.
    LRESULT Default();

    // Default handlers for the messages derived tables bind.
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnPaint() { Default(); }
    void OnClose() { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    void OnInitMenu(HMENU) { Default(); }
    void OnMeasureItem(int, MEASUREITEMSTRUCT*) { Default(); }
    void OnDrawItem(int, DRAWITEMSTRUCT*) { Default(); }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    BOOL OnSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(Default()); }
    void OnLButtonDown(UINT, POINT) { Default(); }
    void OnMouseMove(UINT, POINT) { Default(); }

    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    WNDPROC m_superProc = nullptr;
    bool m_unicode = false;  // subclassed as a Unicode window: messages come and go wide
    MSG m_currentMsg{};
};

// Attaches the next window this thread creates to an object, before it sees any message.
class CreationHook {
public:
    explicit CreationHook(CWnd* wnd);
    ~CreationHook();
    CreationHook(const CreationHook&) = delete;
    CreationHook& operator=(const CreationHook&) = delete;

private:
    CWnd* m_previousWindow;
    HHOOK m_previousHook;
};

// For the catch-all barriers where the platform calls in: called inside a catch block,
// it tells a debugger what was swallowed (OutputDebugString), and for which message.
void AfxReportCaughtException(const char* where, UINT message) noexcept;
