// The sample box's two display options: word wrap and the vertical scroll bar.
#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"
#include "res/resource.h"
#include "sample/BoxText.h"
#include "viewer/FaultGuard.h"

#include <string>

namespace {

// Marks a box created without its vertical scroll bar.
const char kNoBarProperty[] = "Typoscope.NoVScroll";

// An edit control created with a vertical scroll bar drives that bar itself and shows it
// again, hidden or not, whenever its text outgrows it; one created without never does.
bool DrivesBar(HWND box) { return ::GetPropA(box, kNoBarProperty) == nullptr; }

// An edit control reads ES_AUTOHSCROLL and WS_VSCROLL only when it is created, so the
// box is made anew and takes over everything the user can see or has done: text, font,
// margins, place and size, scroll bar, view, selection and caret, modified flag, text
// limit, focus and tab order. Only the style asked for changes. A new box that cannot
// take the whole text is dropped, and the old one stays as it was: the result is false.
// A box left half laid out by a fault is made anew with the text and font given instead.
struct Contents {
    const std::wstring* text;
    HFONT font;
};
bool RecreateBox(CWnd& dialog, CEdit& member, int id, DWORD remove, DWORD add, bool drivesBar,
                 const Contents* given = nullptr)
{
    HWND old = ::GetDlgItem(dialog.m_hWnd, id);
    if (!old) return false;
    DWORD style = static_cast<DWORD>(::GetWindowLongA(old, GWL_STYLE));
    DWORD newStyle = (style & ~remove) | add;
    // The dialog template makes an ANSI box; the new box is always a Unicode one.
    if (!given && newStyle == style && drivesBar == DrivesBar(old) && ::IsWindowUnicode(old)) return true;

    std::wstring text;
    if (given) text = *given->text;
    else if (!ReadBoxText(old, text)) return false;

    RECT rect;
    ::GetWindowRect(old, &rect);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    wchar_t className[64];
    if (!::GetClassNameW(old, className, 64)) lstrcpynW(className, L"EDIT", 64);
    bool barShown = (style & WS_VSCROLL) != 0;

    HWND box = ::CreateWindowExW(static_cast<DWORD>(::GetWindowLongA(old, GWL_EXSTYLE)), className, L"",
                                 (newStyle & ~WS_VSCROLL) | (drivesBar ? WS_VSCROLL : 0), rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, dialog.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(old, GWLP_HINSTANCE)), nullptr);
    if (!box) return false;
    if (!drivesBar) ::SetPropA(box, kNoBarProperty, reinterpret_cast<HANDLE>(1));

    HFONT font = given ? given->font : reinterpret_cast<HFONT>(::SendMessageW(old, WM_GETFONT, 0, 0));
    ::SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    LRESULT margins = ::SendMessageW(old, EM_GETMARGINS, 0, 0);
    ::SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, margins);
    ::SendMessageW(box, EM_SETLIMITTEXT, static_cast<WPARAM>(::SendMessageW(old, EM_GETLIMITTEXT, 0, 0)), 0);
    // Laying the text out can fault under Wine (as handing a font can): then, as when the
    // box cannot hold it all, the new box goes and the old one stays.
    bool laidOut = SendWithoutFault(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (!laidOut || static_cast<size_t>(::GetWindowTextLengthW(box)) != text.size()) {
        ::DestroyWindow(box);
        return false;
    }
    ::SendMessageW(box, EM_SETMODIFY, ::SendMessageW(old, EM_GETMODIFY, 0, 0) ? TRUE : FALSE, 0);
    if (drivesBar) ::ShowScrollBar(box, SB_VERT, barShown);

    DWORD start = 0, end = 0;
    ::SendMessageW(old, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ::SendMessageW(box, EM_SETSEL, start, end);
    // The same text stays at the top of the view, though its line number changes with the wrapping.
    LRESULT firstLine = ::SendMessageW(old, EM_GETFIRSTVISIBLELINE, 0, 0);
    LRESULT firstChar = ::SendMessageW(old, EM_LINEINDEX, static_cast<WPARAM>(firstLine), 0);
    LRESULT top = firstChar < 0 ? 0 : ::SendMessageW(box, EM_LINEFROMCHAR, static_cast<WPARAM>(firstChar), 0);
    ::SendMessageW(box, EM_LINESCROLL, 0, top - ::SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0));

    // Right after the old box in the tab order, which it leaves to the new one.
    ::SetWindowPos(box, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    bool hadFocus = ::GetFocus() == old;
    ::RemovePropA(old, kNoBarProperty);
    if (member.m_hWnd == old) member.DestroyWindow();
    else ::DestroyWindow(old);
    member.SubclassWindow(box);
    if (hadFocus) ::SetFocus(box);
    return true;
}

}  // namespace

void CViewerDlg::UseUnicodeSampleBox()
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (box) RecreateBox(*this, SampleBox, IDC_SAMPLE_BOX, 0, 0, DrivesBar(box));
}

bool CViewerDlg::RemakeSampleBox(const std::wstring& text, HFONT font)
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    const Contents given = {&text, font};
    return box && RecreateBox(*this, SampleBox, IDC_SAMPLE_BOX, 0, 0, DrivesBar(box), &given);
}

void CViewerDlg::ToggleWordWrap()
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (!box) return;
    // A box that could not be made anew keeps its wrapping, and the state says so.
    const bool wrap = WordWrapState != 1;
    if (!RecreateBox(*this, SampleBox, IDC_SAMPLE_BOX, wrap ? ES_AUTOHSCROLL : 0, wrap ? 0 : ES_AUTOHSCROLL,
                     DrivesBar(box)))
        return;
    WordWrapState = wrap ? 1 : 0;
    ViewerApp().ViewerSettings.Wordwrap = WordWrapState;
}

void CViewerDlg::ToggleScrollbar()
{
    ScrollbarState = 1 - ScrollbarState;
    // A box that could not be made anew keeps its bar, and the state says so.
    if (!ApplyScrollbar()) ScrollbarState = 1 - ScrollbarState;
    ViewerApp().ViewerSettings.Scrollbar = ScrollbarState;
}

bool CViewerDlg::ApplyScrollbar()
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (!box) return false;
    // A hidden bar stays hidden only on a box that does not drive it.
    if (DrivesBar(box) != (ScrollbarState != 0)) {
        if (!RecreateBox(*this, SampleBox, IDC_SAMPLE_BOX, 0, 0, ScrollbarState != 0)) return false;
        box = GetDlgItem(IDC_SAMPLE_BOX);
    }
    ::ShowScrollBar(box, SB_VERT, ScrollbarState);
    ::InvalidateRect(box, nullptr, TRUE);
    ::UpdateWindow(box);
    return true;
}
