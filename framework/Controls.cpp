#include "Framework.h"

void CEdit::ReplaceSel(LPCSTR text, bool canUndo)
{
    SendMessage(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text));
}

int CListBox::GetText(int index, LPSTR buffer) const
{
    return static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

int CListBox::AddString(LPCSTR text)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CListBox::FindStringExact(int startAfter, LPCSTR text) const
{
    return static_cast<int>(
        SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}

bool CToolBarCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style, rect, parent, id)) return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return true;
}

int CToolBarCtrl::AddBitmap(int imageCount, UINT bitmapId)
{
    TBADDBITMAP bitmap = {AfxGetResourceHandle(), bitmapId};
    return static_cast<int>(SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(imageCount), reinterpret_cast<LPARAM>(&bitmap)));
}

bool CToolBarCtrl::AddButtons(int count, const TBBUTTON* buttons)
{
    return SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons)) != 0;
}

SIZE CToolBarCtrl::GetButtonSize() const
{
    DWORD size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    return SIZE{LOWORD(size), HIWORD(size)};
}

void CToolBarCtrl::KeepTopAt(int top)
{
    RECT rect;
    GetWindowRect(&rect);
    MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    if (rect.top != top)
        ::SetWindowPos(m_hWnd, nullptr, rect.left, top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

bool CToolBarCtrl::GetRect(int commandId, RECT* rect) const
{
    return SendMessage(TB_GETRECT, static_cast<WPARAM>(commandId), reinterpret_cast<LPARAM>(rect)) != 0;
}

bool CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    RECT none = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    HWND hWnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, none.left, none.top, none.right,
                                  none.bottom, parent ? parent->m_hWnd : nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    return hWnd && SubclassWindow(hWnd);
}

bool CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, const RECT& rect, UINT_PTR toolId)
{
    TTTOOLINFOA tool = {};
    // The record as every version of the control understands it.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = 0;  // the owner relays the mouse messages itself
    tool.hwnd = wnd->m_hWnd;
    tool.uId = toolId;
    tool.rect = rect;
    tool.hinst = nullptr;
    tool.lpszText = const_cast<LPSTR>(text);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId)
{
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = wnd->m_hWnd;
    tool.uId = toolId;
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}
