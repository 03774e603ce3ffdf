// The font list draws its own rows: as the list box draws them, but a face that lacks
// characters of the sample text has its name in the system's grey text colour, and a face
// from a font file carries a mark at the row's end in the row's own text colour.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"

#include <cstdlib>
#include <string>

namespace {

int Brightness(COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

// A lacking face's name on the selection highlight. The grey text colour is meant for the
// window's background; where it is close to the highlight's (as in some high-contrast
// schemes) the name takes the colour halfway between the highlight's text and background,
// which stands apart from the one and reads as dimmed beside the other.
COLORREF GreyOnHighlight()
{
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT), back = GetSysColor(COLOR_HIGHLIGHT);
    if (std::abs(Brightness(grey) - Brightness(back)) >= 64) return grey;
    const COLORREF text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    return RGB((GetRValue(text) + GetRValue(back)) / 2, (GetGValue(text) + GetGValue(back)) / 2,
               (GetBValue(text) + GetBValue(back)) / 2);
}

}  // namespace

void CViewerDlg::OnMeasureItem(int id, MEASUREITEMSTRUCT* item)
{
    if (id != IDC_FONT_LIST || item->CtlType != ODT_LISTBOX) {
        Default();
        return;
    }
    // The height the list gives its rows when it draws them itself: its font's, which is
    // the dialog's (the list is made before the dialog hands it the font).
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HDC dc = ::GetDC(m_hWnd);
    if (!dc) return;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics) && metrics.tmHeight > 0) item->itemHeight = static_cast<UINT>(metrics.tmHeight);
    if (old) SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
}

void CViewerDlg::OnDrawItem(int id, DRAWITEMSTRUCT* item)
{
    if (id != IDC_FONT_LIST || item->CtlType != ODT_LISTBOX) {
        Default();
        return;
    }
    HDC dc = item->hDC;
    const RECT& row = item->rcItem;
    if (item->itemAction == ODA_FOCUS) {
        DrawFocusRect(dc, &row);
        return;
    }
    if (item->itemID == static_cast<UINT>(-1)) return;

    HWND list = item->hwndItem;
    LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, item->itemID, 0);
    if (length == LB_ERR) return;
    std::wstring name(static_cast<size_t>(length) + 1, L'\0');
    length = ::SendMessageW(list, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(&name[0]));
    name.resize(length == LB_ERR ? 0 : static_cast<size_t>(length));

    char face[LF_FACESIZE * 2];
    const bool named = WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, face, sizeof face, nullptr, nullptr) > 0;
    const bool lacks = named && MarkMissingState && FaceMarks.Lacks(face);
    wchar_t mark[32] = L"";
    if (named && FontFiles.IsFileFace(face)) ::LoadStringW(AfxGetResourceHandle(), IDS_FILE_FACE_MARK, mark, 32);

    // The colours and the place of the text are the list box's own for its rows.
    COLORREF oldText = GetTextColor(dc), oldBack = GetBkColor(dc);
    if (item->itemState & ODS_SELECTED) {
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    const COLORREF markColour = GetTextColor(dc);
    if (lacks || (item->itemState & ODS_DISABLED))
        SetTextColor(dc, item->itemState & ODS_SELECTED ? GreyOnHighlight() : GetSysColor(COLOR_GRAYTEXT));
    ExtTextOutW(dc, row.left + 1, row.top, ETO_OPAQUE | ETO_CLIPPED, &row, name.c_str(), static_cast<UINT>(name.size()),
                nullptr);
    if (mark[0]) {
        // At the row's end, over the tail of a long name, in the colour of a name not greyed.
        RECT place = row;
        place.right -= 2;
        SetTextColor(dc, markColour);
        DrawTextW(dc, mark, -1, &place, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
}
