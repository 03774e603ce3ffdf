// The window at every common scale: at the screen's own (the test's Wine prefix sets it,
// scripts/scaled-tests.sh) and after a move to a screen of another scale (WM_DPICHANGED).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "framework/Dpi.h"
#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

struct Scale {
    int dpi;
    SIZE image;          // the toolbar's pictures, drawn for this scale
    LONG twelvePoints;   // 12 x dpi / 72, rounded down
};

const Scale kScales[] = {
    {96, {16, 15}, 16},
    {120, {20, 19}, 20},
    {144, {24, 23}, 24},
    {192, {32, 30}, 32},
};

// A bare toolbar's button size: the platform's for the 16 x 15 pictures.
SIZE ButtonSizeAtBase()
{
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_POPUP, 0, 0, 200, 30, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    DWORD size = static_cast<DWORD>(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0));
    DestroyWindow(bar);
    return SIZE{LOWORD(size), HIWORD(size)};
}

RECT PlaceIn(HWND parent, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Every visible text of a dialog's statics and check boxes fits its control, and every
// control lies inside the client area and clear of the toolbar.
void ExpectNothingClippedOrCovered(HWND dialog, HWND toolbar)
{
    RECT client;
    GetClientRect(dialog, &client);
    RECT bar = {};
    if (toolbar) bar = PlaceIn(dialog, toolbar);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || child == toolbar) continue;
        std::string text = WindowText(child);
        SCOPED_TRACE(WindowClass(child) + " \"" + text + "\"");
        RECT place = PlaceIn(dialog, child), overlap;
        EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= client.right && place.bottom <= client.bottom);
        EXPECT_FALSE(toolbar && IntersectRect(&overlap, &place, &bar)) << "under the toolbar, which ends at " << bar.bottom << ", not below " << place.top;
        LONG style = GetWindowLongA(child, GWL_STYLE);
        bool label = WindowClass(child) == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
        bool checkBox = WindowClass(child) == "Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
        if (text.empty() || !(label || checkBox) || child == GetDlgItem(dialog, IDC_LINK_LABEL)) continue;
        std::string shown;
        for (char c : text)
            if (c != '&') shown += c;
        const SIZE extent = TextExtentIn(child, shown);
        int room = place.right - place.left - (checkBox ? GetSystemMetrics(SM_CXMENUCHECK) : 0);
        EXPECT_LE(extent.cx, room) << "text cut off";
        EXPECT_LE(extent.cy, place.bottom - place.top) << "text cut off";
    }
}

class Scales : public testing::TestWithParam<Scale> {};

TEST_P(Scales, EverySizeInPixelsFollowsTheWindowsScale)
{
    const Scale& s = GetParam();
    ViewerHarness h(SettingsWith("Arial", 12, 1, 0, 1));
    ASSERT_TRUE(h.Started());
    HWND dlg = h.Hwnd(), list = h.Item(IDC_FONT_LIST), box = h.Item(IDC_SAMPLE_BOX);
    int screenDpi = WindowDpi(nullptr);
    const std::string face = SelectedFace(h);
    const std::string text = WindowText(box);
    const ViewerSettingsRecord settings = h.Settings();
    const int baseRow = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    // Within any text: the window starts with sample.txt's, which earlier tests may have left.
    h.Run([&] { SendMessageA(box, EM_SETSEL, 1, 3); });

    if (s.dpi == screenDpi) {
        // The screen's own scale: the template, its font and the About box scale with it.
        ExpectNothingClippedOrCovered(dlg, ToolbarOf(h));
        h.PostCommand(ID_HELP_ABOUT);
        HWND about = WaitForThreadWindow(h.ThreadId(), nullptr, "About Typoscope");
        ASSERT_TRUE(about);
        {
            SCOPED_TRACE("About box");
            ExpectNothingClippedOrCovered(about, nullptr);
        }
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    } else {
        // Moved to a screen of this scale, with the rectangle the system suggests.
        RECT window, suggested;
        GetWindowRect(dlg, &window);
        suggested = {window.left, window.top, window.left + MulDiv(window.right - window.left, s.dpi, screenDpi),
                     window.top + MulDiv(window.bottom - window.top, s.dpi, screenDpi)};
        h.Send(WM_DPICHANGED, MAKEWPARAM(s.dpi, s.dpi), reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(dlg, &window);
        EXPECT_TRUE(EqualRect(&window, &suggested));
        EXPECT_EQ(MulDiv(baseRow, s.dpi, screenDpi), SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        // Nothing else changes.
        EXPECT_EQ(face, SelectedFace(h));
        EXPECT_EQ(text, WindowText(box));
        DWORD start = 0, end = 0;
        SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_TRUE(start == 1 && end == 3) << start << ", " << end;
        EXPECT_EQ("12", ItemText(h, IDC_SIZE_FIELD));
        EXPECT_EQ(1, ToolbarButtonChecked(ToolbarOf(h), ID_EDIT_BOLD));
        EXPECT_EQ(0, ToolbarButtonChecked(ToolbarOf(h), ID_EDIT_ITALIC));
        ViewerSettingsRecord after = h.Settings();
        EXPECT_EQ(0, memcmp(&settings, &after, sizeof after)) << "the settings to be written are unchanged";
    }

    HWND toolbar = ToolbarOf(h);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
    EXPECT_EQ(s.image.cx, cx);
    // Wine's control keeps the 100 % height one pixel taller (16).
    EXPECT_NEAR(s.image.cy, cy, 1);
    EXPECT_EQ(7, ImageList_GetImageCount(images));
    SIZE base = ButtonSizeAtBase();
    DWORD button = static_cast<DWORD>(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_NEAR(MulDiv(base.cx, s.dpi, 96), LOWORD(button), 2) << "button width in proportion";
    EXPECT_NEAR(MulDiv(base.cy, s.dpi, 96), HIWORD(button), 2) << "button height in proportion";
    RECT bar = PlaceIn(dlg, toolbar);
    EXPECT_GE(bar.bottom - bar.top, HIWORD(button)) << "the toolbar shows its buttons whole";

    EXPECT_EQ(-s.twelvePoints, SampleBoxFont(h).lfHeight);
    MINMAXINFO limits = {};
    SendMessageA(dlg, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(640 * s.dpi / 96, limits.ptMinTrackSize.x);
    EXPECT_EQ(480 * s.dpi / 96, limits.ptMinTrackSize.y);
}

INSTANTIATE_TEST_SUITE_P(, Scales, testing::ValuesIn(kScales),
                         [](const testing::TestParamInfo<Scale>& info) { return std::to_string(info.param.dpi); });

}  // namespace
