#include "DialogAnswer.h"

#include "Wait.h"

void PressDialogButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitForWindowGone(HWND hWnd, int timeoutMs)
{
    return WaitUntil([&] { return !IsWindow(hWnd) || !IsWindowVisible(hWnd); }, timeoutMs);
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

namespace {

std::string ComboItemText(HWND combo, LRESULT index)
{
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) items.push_back(ComboItemText(combo, i));
    return items;
}

std::string ComboSelection(HWND combo)
{
    LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::string() : ComboItemText(combo, index);
}

bool SelectComboItem(HWND dialog, int comboId, const std::string& text)
{
    HWND combo = GetDlgItem(dialog, comboId);
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

ClientPixels ReadClientPixels(HWND hWnd)
{
    ClientPixels result;
    RECT rect;
    GetClientRect(hWnd, &rect);
    result.width = rect.right;
    result.height = rect.bottom;
    HDC dc = GetDC(hWnd);
    for (int y = 0; y < result.height; ++y)
        for (int x = 0; x < result.width; ++x) result.pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(hWnd, dc);
    return result;
}
