// Wrappers for the controls the program talks to through member objects.
#pragma once

#include "Wnd.h"

class CEdit : public CWnd {
public:
    void ReplaceSel(LPCSTR text, bool canUndo = false);
};

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
    int GetText(int index, LPSTR buffer) const;
    int AddString(LPCSTR text);
    int FindStringExact(int startAfter, LPCSTR text) const;
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
};

class CSpinButtonCtrl : public CWnd {};

class CToolBarCtrl : public CWnd {
public:
    // Creates the toolbar and tells it the size of the button record.
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The images of a bitmap resource of the program; the index of the first image, or -1.
    int AddBitmap(int imageCount, UINT bitmapId);
    bool AddButtons(int count, const TBBUTTON* buttons);
    // The images' size, set before any image is added, and the buttons', before any button.
    void SetBitmapSize(int cx, int cy) { SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy)); }
    SIZE GetButtonSize() const;
    void SetButtonSize(int cx, int cy) { SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(cx, cy)); }
    void SetToolTips(HWND toolTip) { SendMessage(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(toolTip), 0); }
    // Puts the window's outer top edge at this height of the parent's client area, keeping x and size, without redrawing.
    void KeepTopAt(int top);
    // The button's rectangle in the toolbar's client coordinates; false when no button has that command.
    bool GetRect(int commandId, RECT* rect) const;
};

class CToolTipCtrl : public CWnd {
public:
    bool Create(CWnd* parent, DWORD style = 0);
    // A tip for an area of a window, identified there by toolId.
    bool AddTool(CWnd* wnd, LPCSTR text, const RECT& rect, UINT_PTR toolId);
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void DelTool(CWnd* wnd, UINT_PTR toolId);
};
