#include "ViewerHarness.h"

#include <gtest/gtest.h>

#include "Wait.h"
#include "res/resource.h"

ViewerHarness::ViewerHarness(const ViewerSettingsRecord& settings) : ViewerThread(settings, kDefaultTimeoutMs)
{
    EXPECT_TRUE(Started()) << "the main window did not start";
}

LRESULT ViewerHarness::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(Hwnd(), message, wParam, lParam);
}

void ViewerHarness::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    PostMessageA(Hwnd(), message, wParam, lParam);
}

void ViewerHarness::Click(int id) const
{
    // BM_CLICK flips an automatic check box and sends its click notification, as a mouse click does.
    SendMessageA(Item(id), BM_CLICK, 0, 0);
}

HMENU ViewerHarness::ActivateMenu() const
{
    HMENU menu = GetMenu(Hwnd());
    Send(WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    return menu;
}

void ViewerHarness::PickFace(int index) const
{
    SendMessageA(Item(IDC_FONT_LIST), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Send(WM_COMMAND, MAKEWPARAM(IDC_FONT_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(IDC_FONT_LIST)));
}

ViewerSettingsRecord ViewerHarness::Settings()
{
    ViewerSettingsRecord settings;
    Run([&] { settings = ViewerApp().ViewerSettings; });
    return settings;
}

ViewerSettingsRecord SettingsWith(const char* name, int size, int bold, int italic, int underline, int strikeOut)
{
    ViewerSettingsRecord settings;
    lstrcpynA(settings.Name, name, sizeof settings.Name);
    settings.Size = size;
    settings.Bold = bold;
    settings.Italic = italic;
    settings.Underline = underline;
    settings.StrikeOut = strikeOut;
    return settings;
}
