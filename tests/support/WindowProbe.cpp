#include "WindowProbe.h"

#include <commctrl.h>

#include "ViewerHarness.h"
#include "res/resource.h"
#include "viewer/FontDescription.h"

HWND ToolbarOf(const ViewerHarness& h)
{
    return h.Item(IDC_TOOLBAR);
}

int ToolbarButtonChecked(HWND toolbar, int commandId)
{
    if (!toolbar) return -1;
    LRESULT state = SendMessageA(toolbar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(commandId), 0);
    return state < 0 ? -1 : (state ? 1 : 0);
}

HFONT SampleBoxFontHandle(const ViewerHarness& h)
{
    return reinterpret_cast<HFONT>(SendMessageA(h.Item(IDC_SAMPLE_BOX), WM_GETFONT, 0, 0));
}

LOGFONTA SampleBoxFont(const ViewerHarness& h)
{
    LOGFONTA font = {};
    if (!SampleBoxFont(h, &font)) font = LOGFONTA{};
    return font;
}

bool SampleBoxFont(const ViewerHarness& h, LOGFONTA* font)
{
    HFONT handle = SampleBoxFontHandle(h);
    return handle && GetObjectA(handle, sizeof *font, font) == static_cast<int>(sizeof *font);
}

bool SampleBoxFontIsLiveOrNone(const ViewerHarness& h)
{
    HFONT handle = SampleBoxFontHandle(h);
    LOGFONTA font;
    return !handle || (GetObjectType(handle) == OBJ_FONT && SampleBoxFont(h, &font));
}

LONG ExpectedHeight(long long pointSize)
{
    HDC screen = GetDC(nullptr);
    long long dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    long long magnitude = pointSize < 0 ? -pointSize : pointSize;
    long long height = dpi * magnitude * 10 / 720;
    return -static_cast<LONG>(height > kMaxPreviewHeight ? kMaxPreviewHeight : height);
}

std::string ItemText(const ViewerHarness& h, int id)
{
    char text[1024] = "";
    GetWindowTextA(h.Item(id), text, sizeof text);
    return text;
}

namespace {

// The messages that read a list box's or a combo box's items.
struct ItemMessages {
    UINT count, length, text;
};
const ItemMessages kListBox = {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT};
const ItemMessages kComboBox = {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT};

std::string ItemAt(HWND control, LRESULT index, const ItemMessages& m)
{
    LRESULT length = SendMessageA(control, m.length, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(control, m.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::vector<std::string> Items(HWND control, const ItemMessages& m)
{
    std::vector<std::string> items;
    LRESULT count = SendMessageA(control, m.count, 0, 0);
    for (LRESULT i = 0; i < count; ++i) items.push_back(ItemAt(control, i, m));
    return items;
}

}  // namespace

std::vector<std::string> ListEntries(HWND list)
{
    return Items(list, kListBox);
}

std::vector<std::string> ComboItems(HWND combo)
{
    return Items(combo, kComboBox);
}

std::string ComboSelection(HWND combo)
{
    LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::string() : ItemAt(combo, index, kComboBox);
}

int EntryIndex(HWND list, const char* text)
{
    return static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

std::string SelectedFace(const ViewerHarness& h)
{
    HWND list = h.Item(IDC_FONT_LIST);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? std::string() : ItemAt(list, index, kListBox);
}

int MenuItemState(HMENU menu, UINT commandId)
{
    UINT state = GetMenuState(menu, commandId, MF_BYCOMMAND);
    return state == static_cast<UINT>(-1) ? -1 : static_cast<int>(state);
}

bool MenuItemChecked(HMENU menu, UINT commandId)
{
    int state = MenuItemState(menu, commandId);
    return state != -1 && (state & MF_CHECKED);
}

bool MenuItemIsRadio(HMENU menu, UINT commandId)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoA(menu, commandId, FALSE, &info) && (info.fType & MFT_RADIOCHECK);
}

SIZE TextExtentIn(HWND control, const std::string& text)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return extent;
}
