#include "dialogs/LinkLabel.h"

#include "res/resource.h"

#include <shellapi.h>

#include <cstring>

CLinkLabel::ShellOpenFunction CLinkLabel::ShellOpen = &::ShellExecuteA;

BEGIN_MESSAGE_MAP(CLinkLabel, CWnd)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CLinkLabel::~CLinkLabel() = default;

void CLinkLabel::OnPaint()
{
    // The paint cycle only validates; the label draws through a context of its own.
    CPaintDC dc(m_hWnd);
    DrawLink();
}

BOOL CLinkLabel::OnSetCursor(HWND, UINT, UINT)
{
    SetHandCursor();
    return TRUE;
}

void CLinkLabel::OnLButtonDown(UINT, POINT)
{
    // The link opens on the press; the static control never sees it.
    OpenLink();
}

void CLinkLabel::OnMouseMove(UINT, POINT)
{
    SetHandCursor();
}

void CLinkLabel::SetHandCursor()
{
    ::SetCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
}

void CLinkLabel::DrawLink()
{
    if (!::IsWindow(m_hWnd)) return;

    // An underlined copy of the control's font; without one the context's default font draws.
    CFont* underlined = nullptr;
    HFONT controlFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (controlFont) {
        LOGFONTA logFont;
        if (::GetObjectA(controlFont, sizeof logFont, &logFont) == sizeof logFont) {
            logFont.lfUnderline = 1;
            underlined = new CFont;
            if (!underlined->CreateFontIndirect(&logFont)) {
                delete underlined;
                underlined = nullptr;
            }
        }
    }

    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    RECT rect;
    GetClientRect(&rect);
    char text[256] = {};
    GetWindowText(text, 255);

    {
        CClientDC dc(m_hWnd);
        dc.SetTextColor(RGB(0, 0, 255));
        dc.SetBkColor(face);
        dc.FillSolidRect(rect, face);
        HGDIOBJ previous = underlined ? dc.SelectObject(*underlined) : nullptr;
        dc.DrawText(text, static_cast<int>(strlen(text)), &rect, DT_WORDBREAK);
        if (previous) dc.SelectObject(previous);
    }

    if (underlined) {
        underlined->DeleteObject();
        delete underlined;
    }
}

HINSTANCE CLinkLabel::OpenLink()
{
    char text[256] = {};
    GetWindowText(text, 255);
    if (text[0] == '\0') return nullptr;
    return ShellOpen(m_hWnd, "open", text, nullptr, nullptr, SW_SHOWNORMAL);
}
