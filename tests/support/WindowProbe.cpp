#include "WindowProbe.h"

#include <commctrl.h>

#include "ViewerHarness.h"
#include "res/resource.h"

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

LOGFONTA SampleBoxFont(const ViewerHarness& h)
{
    LOGFONTA font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(h.Item(IDC_SAMPLE_BOX), WM_GETFONT, 0, 0));
    if (handle) GetObjectA(handle, sizeof font, &font);
    return font;
}

std::string ItemText(const ViewerHarness& h, int id)
{
    char text[1024] = "";
    GetWindowTextA(h.Item(id), text, sizeof text);
    return text;
}

std::string SelectedFace(const ViewerHarness& h)
{
    HWND list = h.Item(IDC_FONT_LIST);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return "";
    char face[256] = "";
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= static_cast<LRESULT>(sizeof face)) return "";
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(face));
    return face;
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
