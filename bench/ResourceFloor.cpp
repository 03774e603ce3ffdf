#include "ResourceFloor.h"

#include "res/resource.h"
#include "viewer/FontDescription.h"

namespace {

INT_PTR CALLBACK BareProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

int CALLBACK IgnoreReport(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM)
{
    return 1;
}

std::string WindowText(HWND hWnd)
{
    int length = GetWindowTextLengthA(hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(hWnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

// Gives a child the place and size, in its parent, that another has in its own.
void Place(HWND child, HWND like)
{
    RECT rect;
    GetWindowRect(like, &rect);
    MapWindowPoints(nullptr, GetParent(like), reinterpret_cast<POINT*>(&rect), 2);
    MoveWindow(child, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

}  // namespace

FloorWindow::FloorWindow(HWND like)
{
    m_hWnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VIEWER), nullptr, BareProc, 0);
    if (!m_hWnd) return;
    RECT rect;
    GetWindowRect(like, &rect);
    SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW);
    HWND likeBox = GetDlgItem(like, IDC_SAMPLE_BOX);
    HWND likeList = GetDlgItem(like, IDC_FONT_LIST);
    HWND box = Box();
    // The box and the list where the copied window has them.
    Place(box, likeBox);
    Place(GetDlgItem(m_hWnd, IDC_FONT_LIST), likeList);
    BOOL ok = FALSE;
    m_size = static_cast<int>(GetDlgItemInt(like, IDC_SIZE_FIELD, &ok, TRUE));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(likeBox, WM_GETFONT, 0, 0));
    if (font) GetObjectA(font, sizeof m_description, &m_description);
    m_face = m_description.lfFaceName;
    Recreate(static_cast<DWORD>(GetWindowLongA(likeBox, GWL_STYLE)));
    box = Box();
    SendMessageA(box, EM_SETLIMITTEXT, static_cast<WPARAM>(SendMessageA(likeBox, EM_GETLIMITTEXT, 0, 0)), 0);
    SetWindowTextA(box, WindowText(likeBox).c_str());
    int count = static_cast<int>(SendMessageA(likeList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(SendMessageA(likeList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
        std::string face(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
        SendMessageA(likeList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&face[0]));
        face.resize(face.size() - 1);
        m_faces.push_back(face);
    }
    Refresh();
}

FloorWindow::~FloorWindow()
{
    if (m_hWnd) DestroyWindow(m_hWnd);
    if (m_font) DeleteObject(m_font);
}

HWND FloorWindow::Box() const
{
    return GetDlgItem(m_hWnd, IDC_SAMPLE_BOX);
}

void FloorWindow::Rebuild()
{
    HDC screen = GetDC(nullptr);
    m_description.lfHeight = -MulDiv(m_size, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontIndirectA(&m_description);
    SendMessageA(Box(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_font) DeleteObject(m_font);
    m_font = font;
}

void FloorWindow::Preset(int index)
{
    m_size = SizePresets[index % kSizePresetCount];
    // The program's field reports the change and the program rebuilds then and once more.
    SetDlgItemInt(m_hWnd, IDC_SIZE_FIELD, static_cast<UINT>(m_size), TRUE);
    Rebuild();
    Rebuild();
}

void FloorWindow::Wrap()
{
    Recreate(static_cast<DWORD>(GetWindowLongA(Box(), GWL_STYLE)) ^ ES_AUTOHSCROLL);
}

void FloorWindow::Recreate(DWORD style)
{
    HWND old = Box();
    std::string text = WindowText(old);
    RECT rect;
    GetWindowRect(old, &rect);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    HWND box = CreateWindowExA(static_cast<DWORD>(GetWindowLongA(old, GWL_EXSTYLE)), "EDIT", "", style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SAMPLE_BOX)),
                               GetModuleHandleA(nullptr), nullptr);
    if (!box) return;
    SendMessageA(box, WM_SETFONT, static_cast<WPARAM>(SendMessageA(old, WM_GETFONT, 0, 0)), FALSE);
    SendMessageA(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, SendMessageA(old, EM_GETMARGINS, 0, 0));
    SendMessageA(box, EM_SETLIMITTEXT, static_cast<WPARAM>(SendMessageA(old, EM_GETLIMITTEXT, 0, 0)), 0);
    SetWindowTextA(box, text.c_str());
    DWORD start = 0, end = 0;
    SendMessageA(old, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SendMessageA(box, EM_SETSEL, start, end);
    SetWindowPos(box, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(old);
}

void FloorWindow::Refresh()
{
    HWND list = GetDlgItem(m_hWnd, IDC_FONT_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EnumFontsA(display, nullptr, IgnoreReport, 0);
    DeleteDC(display);
    SendMessageA(list, LB_INITSTORAGE, m_faces.size(), 0);
    for (const std::string& face : m_faces)
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face.c_str()));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(m_face.c_str()));
    SendMessageA(list, LB_SETCURSEL, index == LB_ERR ? 0 : static_cast<WPARAM>(index), 0);
    Rebuild();
}

void FloorWindow::Repaint()
{
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
