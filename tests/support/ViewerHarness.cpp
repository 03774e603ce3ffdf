#include "ViewerHarness.h"

#include <gtest/gtest.h>

#include "Wait.h"

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
