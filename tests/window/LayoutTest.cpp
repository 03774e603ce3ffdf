// The main window's layout, minimum size, and what Enter and Escape do.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

RECT ClientRectOf(HWND parent, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT TemplateRect(HWND dialog, int x, int y, int cx, int cy)
{
    RECT r = {x, y, x + cx, y + cy};
    MapDialogRect(dialog, &r);
    return r;
}

// The sample box reaches the client area's right and bottom edges, the list its bottom
// edge; both keep the template's top-left corner, the list its width.
void ExpectLaidOut(const ViewerHarness& h)
{
    HWND dlg = h.Hwnd();
    RECT client;
    GetClientRect(dlg, &client);
    RECT box = ClientRectOf(dlg, h.Item(IDC_SAMPLE_BOX));
    RECT list = ClientRectOf(dlg, h.Item(IDC_FONT_LIST));
    RECT boxTemplate = TemplateRect(dlg, 139, 20, 251, 232);
    RECT listTemplate = TemplateRect(dlg, 3, 102, 134, 150);
    EXPECT_EQ(boxTemplate.left, box.left);
    EXPECT_EQ(boxTemplate.top, box.top);
    EXPECT_EQ(client.right, box.right);
    EXPECT_EQ(client.bottom, box.bottom);
    EXPECT_EQ(listTemplate.left, list.left);
    EXPECT_EQ(listTemplate.top, list.top);
    EXPECT_EQ(listTemplate.right, list.right);
    EXPECT_EQ(client.bottom, list.bottom);
    // The controls that do not move stay where the template puts them.
    RECT bold = ClientRectOf(dlg, h.Item(IDC_BOLD));
    RECT boldTemplate = TemplateRect(dlg, 79, 30, 30, 10);
    EXPECT_EQ(boldTemplate.left, bold.left);
    EXPECT_EQ(boldTemplate.top, bold.top);
}

TEST(Layout, AfterStartUpTheLargeControlsReachTheEdges)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    ExpectLaidOut(h);
}

TEST(Layout, FollowsEveryResize)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    const SIZE sizes[] = {{900, 700}, {1000, 520}, {641, 900}, {800, 600}};
    for (SIZE size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        SetWindowPos(h.Hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT window;
        GetWindowRect(h.Hwnd(), &window);
        EXPECT_EQ(size.cx, window.right - window.left);
        ExpectLaidOut(h);
    }
}

TEST(Layout, MinimiseAndRestoreLayTheWindowOutAgain)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    SetWindowPos(h.Hwnd(), nullptr, 0, 0, 850, 650, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    h.Run([&] { ShowWindow(h.Hwnd(), SW_MINIMIZE); });
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(h.Hwnd()) != FALSE; }));
    // Painting the minimised window draws its icon and must not fail.
    RedrawWindow(h.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(reinterpret_cast<LRESULT>(h.Get<HICON>([&] { return h.Dlg().WindowIcon; })),
              SendMessageA(h.Hwnd(), WM_QUERYDRAGICON, 0, 0));
    h.Run([&] { ShowWindow(h.Hwnd(), SW_RESTORE); });
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(h.Hwnd()); }));
    ExpectLaidOut(h);
    RECT window;
    GetWindowRect(h.Hwnd(), &window);
    EXPECT_EQ(850, window.right - window.left);
}

TEST(Layout, ASizeNotificationOfZeroSizeStillLaysOut)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    // What minimising sends: the controls are sized against an empty client area.
    SendMessageA(h.Hwnd(), WM_SIZE, SIZE_MINIMIZED, 0);
    RECT client;
    GetClientRect(h.Hwnd(), &client);
    SendMessageA(h.Hwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    ExpectLaidOut(h);
}

TEST(MinimumSize, IsSixHundredFortyByFourHundredEightyAndLeavesTheRest)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    MINMAXINFO info;
    info.ptReserved = {11, 12};
    info.ptMaxSize = {2001, 2002};
    info.ptMaxPosition = {-3, -4};
    info.ptMinTrackSize = {1, 2};
    info.ptMaxTrackSize = {3001, 3002};
    SendMessageA(h.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(640, info.ptMinTrackSize.x);
    EXPECT_EQ(480, info.ptMinTrackSize.y);
    EXPECT_EQ(2001, info.ptMaxSize.x);
    EXPECT_EQ(2002, info.ptMaxSize.y);
    EXPECT_EQ(-3, info.ptMaxPosition.x);
    EXPECT_EQ(3001, info.ptMaxTrackSize.x);
    EXPECT_EQ(3002, info.ptMaxTrackSize.y);
}

// Posts a key to the focused control through the window's own message loop, then waits
// until a marker character posted after it has reached the sample box.
void PressKey(const ViewerHarness& h, HWND target, WPARAM key)
{
    static char marker = 'a';
    char mark = marker;
    marker = marker == 'z' ? 'a' : static_cast<char>(marker + 1);
    UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
    HWND box = h.Item(IDC_SAMPLE_BOX);
    PostMessageA(box, WM_CHAR, static_cast<WPARAM>(mark), 1);
    WaitUntil([&] { return h.Ended() || WindowText(box).find(mark) != std::string::npos; });
}

struct KeyCase {
    const char* name;
    int focusId;
    WPARAM key;
};

class EnterAndEscape : public testing::TestWithParam<KeyCase> {};

TEST_P(EnterAndEscape, LeaveTheWindowOpen)
{
    const KeyCase& c = GetParam();
    ViewerSettingsRecord settings = SettingsWith("Arial", 12);
    ViewerHarness h(settings);
    ASSERT_TRUE(h.Started());
    HWND target = h.Item(c.focusId);
    h.Run([&] { SetFocus(target); });
    ASSERT_EQ(target, h.Get<HWND>([] { return GetFocus(); }));
    for (int i = 0; i < 2; ++i) PressKey(h, target, c.key);
    EXPECT_FALSE(h.Ended());
    EXPECT_TRUE(IsWindowVisible(h.Hwnd()));
    EXPECT_EQ(12, h.Settings().Size);
    EXPECT_EQ(0, SendMessageA(h.Item(IDC_BOLD), BM_GETCHECK, 0, 0));
    if (c.focusId == IDC_SAMPLE_BOX && c.key == VK_RETURN) {
        EXPECT_TRUE(WaitUntil([&] { return WindowText(target).find("\r\n") != std::string::npos; }))
            << "Enter breaks the line in the sample box";
    }
}

INSTANTIATE_TEST_SUITE_P(, EnterAndEscape,
                         testing::Values(KeyCase{"EnterInList", IDC_FONT_LIST, VK_RETURN},
                                         KeyCase{"EscapeInList", IDC_FONT_LIST, VK_ESCAPE},
                                         KeyCase{"EnterInSizeField", IDC_SIZE_FIELD, VK_RETURN},
                                         KeyCase{"EscapeInSizeField", IDC_SIZE_FIELD, VK_ESCAPE},
                                         KeyCase{"EnterOnCheckBox", IDC_BOLD, VK_RETURN},
                                         KeyCase{"EscapeOnCheckBox", IDC_BOLD, VK_ESCAPE},
                                         KeyCase{"EnterInSampleBox", IDC_SAMPLE_BOX, VK_RETURN},
                                         KeyCase{"EscapeInSampleBox", IDC_SAMPLE_BOX, VK_ESCAPE}),
                         [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(EnterAndEscapeCommands, OkAndCancelDoNothing)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    h.Command(IDOK);
    h.Command(IDCANCEL);
    h.Command(IDOK);
    EXPECT_FALSE(h.Ended());
    EXPECT_TRUE(IsWindowVisible(h.Hwnd()));
}

}  // namespace
