// The toolbar: its window, buttons and images, its four tooltips, the pressed
// states it shows, its place at the top of the window, and the window without it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/DialogAnswer.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

struct Entry {
    int image;
    int command;
    BYTE style;
    int checkBox;
};

const Entry kEntries[] = {
    {0, 0, TBSTYLE_SEP, 0},
    {0, ID_FILE_OPEN_TEXT, TBSTYLE_CHECK, 0},
    {1, ID_FILE_PRINT, TBSTYLE_CHECK, 0},
    {0, 0, TBSTYLE_SEP, 0},
    {2, ID_EDIT_BOLD, TBSTYLE_CHECK, IDC_BOLD},
    {3, ID_EDIT_ITALIC, TBSTYLE_CHECK, IDC_ITALIC},
    {4, ID_EDIT_UNDERLINE, TBSTYLE_CHECK, IDC_UNDERLINE},
    {5, ID_EDIT_STRIKEOUT, TBSTYLE_CHECK, IDC_STRIKEOUT},
    {0, 0, TBSTYLE_SEP, 0},
    {6, ID_HELP_ABOUT, TBSTYLE_CHECK, 0},
};

struct Tip {
    int command;
    const char* text;
};

const Tip kTips[] = {
    {ID_FILE_OPEN_TEXT, "Open text file"},
    {ID_EDIT_BOLD, "Bold"},
    {ID_EDIT_ITALIC, "Italic"},
    {ID_EDIT_UNDERLINE, "Underline"},
};

const char* TipFor(int command)
{
    for (const Tip& tip : kTips)
        if (tip.command == command) return tip.text;
    return nullptr;
}

struct Attribute {
    const char* name;
    int checkBox;
    int command;
    int ViewerSettingsRecord::*field;
};

const Attribute kAttributes[] = {
    {"Bold", IDC_BOLD, ID_EDIT_BOLD, &ViewerSettingsRecord::Bold},
    {"Italic", IDC_ITALIC, ID_EDIT_ITALIC, &ViewerSettingsRecord::Italic},
    {"Underline", IDC_UNDERLINE, ID_EDIT_UNDERLINE, &ViewerSettingsRecord::Underline},
    {"StrikeOut", IDC_STRIKEOUT, ID_EDIT_STRIKEOUT, &ViewerSettingsRecord::StrikeOut},
};

HWND TipControlOf(ViewerHarness& h)
{
    return h.Get<HWND>([&] { return h.Dlg().TipControl.m_hWnd; });
}

RECT ButtonRect(HWND toolbar, int command)
{
    RECT rect = {};
    SendMessageA(toolbar, TB_GETRECT, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

RECT ItemRectByIndex(HWND toolbar, int index)
{
    RECT rect = {};
    SendMessageA(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

// The toolbar's outer rectangle in the main window's client coordinates.
RECT PlaceOf(HWND toolbar)
{
    RECT rect = {};
    GetWindowRect(toolbar, &rect);
    MapWindowPoints(nullptr, GetParent(toolbar), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(Toolbar, IsAToolbarWindowOfTheMainWindowWithItsIdAndStyle)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HWND toolbar = ToolbarOf(h);
    ASSERT_TRUE(toolbar != nullptr);
    EXPECT_EQ(toolbar, h.Get<HWND>([&] { return h.Dlg().ToolBar ? h.Dlg().ToolBar->m_hWnd : nullptr; }));
    EXPECT_EQ("ToolbarWindow32", WindowClass(toolbar));
    EXPECT_EQ(IDC_TOOLBAR, GetDlgCtrlID(toolbar));
    EXPECT_EQ(h.Hwnd(), GetParent(toolbar));
    EXPECT_EQ(0x50800102u, static_cast<DWORD>(GetWindowLongA(toolbar, GWL_STYLE)));
    // It works with the main window's tooltip control, a popup the main window owns.
    HWND tips = TipControlOf(h);
    ASSERT_TRUE(tips != nullptr);
    EXPECT_EQ(tips, reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0)));
    EXPECT_EQ("tooltips_class32", WindowClass(tips));
    EXPECT_TRUE(GetWindowLongA(tips, GWL_STYLE) & WS_POPUP);
    EXPECT_FALSE(GetWindowLongA(tips, GWL_STYLE) & TTS_ALWAYSTIP);
    EXPECT_EQ(h.Hwnd(), GetWindow(tips, GW_OWNER));
}

TEST(Toolbar, ImageStripHoldsSevenImagesSixteenPixelsWide)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(ToolbarOf(h), TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(images != nullptr);
    EXPECT_EQ(7, ImageList_GetImageCount(images));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
    EXPECT_EQ(16, cx);
    // The platform's default image height: 15 in the classic control, 16 in Wine's.
    EXPECT_TRUE(cy == 15 || cy == 16) << cy;
}

struct StartCase {
    const char* name;
    int bold, italic, underline, strikeOut;
};

class ToolbarButtons : public testing::TestWithParam<StartCase> {};

// The ten entries in order; the attribute buttons pressed exactly as their boxes start.
TEST_P(ToolbarButtons, AreTheTenEntriesInOrderWithTheAttributesFromTheBoxes)
{
    const StartCase& c = GetParam();
    ViewerSettingsRecord settings = SettingsWith("Arial", 12, c.bold, c.italic, c.underline, c.strikeOut);
    ViewerHarness h(settings);
    ASSERT_TRUE(h.Started());
    HWND toolbar = ToolbarOf(h);
    ASSERT_EQ(10, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i + 1);
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)));
        const Entry& e = kEntries[i];
        EXPECT_EQ(e.command, button.idCommand);
        EXPECT_EQ(e.style, button.fsStyle);
        if (!(e.style & TBSTYLE_SEP)) {
            EXPECT_EQ(e.image, button.iBitmap);
        }
        bool pressed = e.checkBox && IsDlgButtonChecked(h.Hwnd(), e.checkBox) == BST_CHECKED;
        EXPECT_EQ(TBSTATE_ENABLED | (pressed ? TBSTATE_CHECKED : 0), button.fsState);
    }
    for (const Attribute& a : kAttributes)
        EXPECT_EQ(settings.*a.field, ToolbarButtonChecked(toolbar, a.command)) << a.name;
}

INSTANTIATE_TEST_SUITE_P(Starts, ToolbarButtons,
                         testing::Values(StartCase{"None", 0, 0, 0, 0}, StartCase{"Bold", 1, 0, 0, 0},
                                         StartCase{"ItalicStrikeOut", 0, 1, 0, 1},
                                         StartCase{"Underline", 0, 0, 1, 0}, StartCase{"All", 1, 1, 1, 1}),
                         [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

struct ToolInfo {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect = {};
    std::string text;
};

std::vector<ToolInfo> Tools(HWND tips)
{
    std::vector<ToolInfo> tools;
    int count = static_cast<int>(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        TTTOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.lpszText = text;
        if (!SendMessageA(tips, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info))) break;
        tools.push_back({info.hwnd, info.uId, info.rect, text});
    }
    return tools;
}

// Exactly four tools, on the toolbar, each the rectangle of its button, in order.
void ExpectTheFourTips(HWND tips, HWND toolbar)
{
    std::vector<ToolInfo> tools = Tools(tips);
    ASSERT_EQ(4u, tools.size());
    for (size_t i = 0; i < tools.size(); ++i) {
        SCOPED_TRACE(kTips[i].text);
        EXPECT_EQ(toolbar, tools[i].hwnd);
        EXPECT_EQ(static_cast<UINT_PTR>(kTips[i].command), tools[i].id);
        EXPECT_EQ(kTips[i].text, tools[i].text);
        EXPECT_TRUE(SameRect(tools[i].rect, ButtonRect(toolbar, kTips[i].command)));
    }
}

// What the tooltip control finds at a point of the toolbar: the tip's text, or null.
std::string TipAt(HWND tips, HWND toolbar, POINT point, bool* found)
{
    char text[256] = "";
    TTHITTESTINFOA hit = {};
    hit.hwnd = toolbar;
    hit.pt = point;
    hit.ti.cbSize = TTTOOLINFOA_V2_SIZE;
    hit.ti.lpszText = text;
    *found = SendMessageA(tips, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)) != 0;
    return text;
}

TEST(ToolbarTips, ExactlyFourButtonsHaveTheirTexts)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HWND toolbar = ToolbarOf(h);
    HWND tips = TipControlOf(h);
    ExpectTheFourTips(tips, toolbar);
    // At the middle of every entry, separators included, only the four find a tip.
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i + 1);
        RECT rect = ItemRectByIndex(toolbar, i);
        POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        bool found = false;
        std::string text = TipAt(tips, toolbar, middle, &found);
        const char* expected = TipFor(kEntries[i].command);
        EXPECT_EQ(expected != nullptr, found);
        if (expected) {
            EXPECT_EQ(expected, text);
        }
    }
}

TEST(ToolbarTips, StayOnTheirButtonsWhenTheWindowIsResized)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    for (int size : {900, 640, 1000}) {
        SetWindowPos(h.Hwnd(), nullptr, 0, 0, size, size * 3 / 4, SWP_NOMOVE | SWP_NOZORDER);
        ExpectTheFourTips(TipControlOf(h), ToolbarOf(h));
    }
}

TEST(ToolbarTips, HoveringOverAButtonShowsItsText)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HWND toolbar = ToolbarOf(h);
    HWND tips = TipControlOf(h);
    SetForegroundWindow(h.Hwnd());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == h.Hwnd(); }));
    for (const Tip& tip : kTips) {
        SCOPED_TRACE(tip.text);
        RECT rect = ButtonRect(toolbar, tip.command);
        POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        POINT screen = middle;
        ClientToScreen(toolbar, &screen);
        SetCursorPos(screen.x, screen.y);
        // The mouse message goes through the window's loop, which relays it to the tips.
        PostMessageA(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
        std::string shown;
        EXPECT_TRUE(WaitUntil([&] {
            char text[256] = "";
            TTTOOLINFOA current = {};
            current.cbSize = TTTOOLINFOA_V2_SIZE;
            current.lpszText = text;
            if (!IsWindowVisible(tips)) return false;
            if (!SendMessageA(tips, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&current))) return false;
            shown = text;
            return shown == tip.text;
        })) << "shown: " << shown;
    }
}

// After every change the attribute's button shows the state of its box, and the setting agrees.
void ExpectButtonsFollowBoxes(ViewerHarness& h)
{
    ViewerSettingsRecord settings = h.Settings();
    for (const Attribute& a : kAttributes) {
        int box = IsDlgButtonChecked(h.Hwnd(), a.checkBox) == BST_CHECKED ? 1 : 0;
        EXPECT_EQ(box, ToolbarButtonChecked(ToolbarOf(h), a.command)) << a.name;
        EXPECT_EQ(box, settings.*a.field) << a.name;
    }
}

// The four ways to change an attribute.
enum class Way { CheckBox, Menu, ButtonCommand, ButtonClick };

void Change(ViewerHarness& h, const Attribute& a, Way way)
{
    HWND toolbar = ToolbarOf(h);
    switch (way) {
    case Way::CheckBox: h.Click(a.checkBox); break;
    case Way::Menu: h.Command(static_cast<UINT>(a.command)); break;
    case Way::ButtonCommand: {
        // What the toolbar does on a click: it flips its check button, then tells its parent.
        int state = ToolbarButtonChecked(toolbar, a.command);
        SendMessageA(toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(a.command), MAKELPARAM(!state, 0));
        h.Send(WM_COMMAND, MAKEWPARAM(a.command, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
        break;
    }
    case Way::ButtonClick: {
        RECT rect = ButtonRect(toolbar, a.command);
        LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        h.Run([&] {
            SendMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageA(toolbar, WM_LBUTTONUP, 0, at);
        });
        break;
    }
    }
}

TEST(ToolbarStates, AttributeButtonsFollowTheirBoxesHoweverTheAttributeChanges)
{
    const struct {
        const char* name;
        Way way;
    } ways[] = {{"check box", Way::CheckBox},
                {"menu", Way::Menu},
                {"button command", Way::ButtonCommand},
                {"button click", Way::ButtonClick}};
    ViewerSettingsRecord settings;
    settings.Underline = 1;
    ViewerHarness h(settings);
    ASSERT_TRUE(h.Started());
    ExpectButtonsFollowBoxes(h);
    for (const auto& way : ways) {
        for (const Attribute& a : kAttributes) {
            for (int round = 0; round < 2; ++round) {
                SCOPED_TRACE(testing::Message() << a.name << " by " << way.name << ", change " << round + 1);
                bool before = IsDlgButtonChecked(h.Hwnd(), a.checkBox) == BST_CHECKED;
                Change(h, a, way.way);
                EXPECT_NE(before, IsDlgButtonChecked(h.Hwnd(), a.checkBox) == BST_CHECKED);
                ExpectButtonsFollowBoxes(h);
            }
        }
    }
}

TEST(ToolbarStates, BoldStoredOnShowsPressedAtOnceAndAClickTurnsItOffAndUp)
{
    ViewerSettingsRecord settings;
    settings.Bold = 1;
    ViewerHarness h(settings);
    ASSERT_TRUE(h.Started());
    EXPECT_EQ(1, ToolbarButtonChecked(ToolbarOf(h), ID_EDIT_BOLD));
    Change(h, kAttributes[0], Way::ButtonClick);
    EXPECT_EQ(0, ToolbarButtonChecked(ToolbarOf(h), ID_EDIT_BOLD));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(h.Hwnd(), IDC_BOLD));
    EXPECT_EQ(FW_NORMAL, SampleBoxFont(h).lfWeight);
    EXPECT_EQ(0, h.Get<int>([] { return ViewerApp().ViewerSettings.Bold; }));
}

TEST(ToolbarStates, OtherButtonsStartUp)
{
    ViewerSettingsRecord settings;
    settings.Bold = settings.Italic = settings.Underline = settings.StrikeOut = 1;
    ViewerHarness h(settings);
    ASSERT_TRUE(h.Started());
    for (int command : {ID_FILE_OPEN_TEXT, ID_FILE_PRINT, ID_HELP_ABOUT})
        EXPECT_EQ(0, ToolbarButtonChecked(ToolbarOf(h), command)) << command;
}

// Sizes the window goes through: larger, smaller than the minimum, maximised, minimised, restored.
void Resize(ViewerHarness& h, int step)
{
    switch (step % 6) {
    case 0: SetWindowPos(h.Hwnd(), nullptr, 0, 0, 700 + step * 7, 500 + step * 5, SWP_NOMOVE | SWP_NOZORDER); break;
    case 1: SetWindowPos(h.Hwnd(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER); break;
    case 2: ShowWindow(h.Hwnd(), SW_MAXIMIZE); break;
    case 3: ShowWindow(h.Hwnd(), SW_RESTORE); break;
    case 4: ShowWindow(h.Hwnd(), SW_MINIMIZE); break;
    default: ShowWindow(h.Hwnd(), SW_RESTORE); break;
    }
}

TEST(ToolbarPlace, StaysAtTheTopWithItsHeightWhateverTheWindowsSize)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HWND toolbar = ToolbarOf(h);
    RECT first = PlaceOf(toolbar);
    EXPECT_EQ(0, first.top);
    EXPECT_LE(first.left, 0);
    int height = first.bottom - first.top;
    EXPECT_GT(height, 15);
    RECT openButton = ButtonRect(toolbar, ID_FILE_OPEN_TEXT);
    for (int step = 0; step < 36; ++step) {
        SCOPED_TRACE(testing::Message() << "resize " << step);
        Resize(h, step);
        RECT place = PlaceOf(toolbar);
        EXPECT_EQ(0, place.top);
        EXPECT_EQ(first.left, place.left);
        EXPECT_EQ(height, place.bottom - place.top);
        if (!IsIconic(h.Hwnd())) {
            RECT client;
            GetClientRect(h.Hwnd(), &client);
            EXPECT_GE(place.right, client.right) << "the toolbar spans the window";
        }
    }
    // The buttons keep their place in the toolbar too.
    EXPECT_TRUE(SameRect(openButton, ButtonRect(toolbar, ID_FILE_OPEN_TEXT)));
}

TEST(ToolbarPlace, TheWindowsControlsStayBelowIt)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    for (int step = 0; step < 6; ++step) {
        Resize(h, step);
        if (IsIconic(h.Hwnd())) continue;
        RECT bar = PlaceOf(ToolbarOf(h));
        for (int id : {IDC_SAMPLE_BOX, IDC_FONT_LIST, IDC_BOLD, IDC_SIZE_FIELD}) {
            RECT control;
            GetWindowRect(h.Item(id), &control);
            MapWindowPoints(nullptr, h.Hwnd(), reinterpret_cast<POINT*>(&control), 2);
            EXPECT_GE(control.top, bar.bottom) << "control " << id << ", resize " << step;
        }
    }
}

// The window without a toolbar: destroyed through the operation the close path uses.
class WithoutToolbar : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(h.Started());
        tips = TipControlOf(h);
        h.Run([&] { h.Dlg().DestroyToolBar(); });
        ASSERT_EQ(nullptr, h.Get<CToolBarCtrl*>([&] { return h.Dlg().ToolBar; }));
        ASSERT_EQ(nullptr, ToolbarOf(h));
    }
    ViewerHarness h;
    HWND tips = nullptr;
};

TEST_F(WithoutToolbar, TheTooltipControlStaysWithTheMainWindowWithoutTools)
{
    EXPECT_TRUE(IsWindow(tips));
    EXPECT_EQ(tips, TipControlOf(h));
    EXPECT_EQ(0, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    // A second destruction does nothing.
    h.Run([&] { h.Dlg().DestroyToolBar(); });
    EXPECT_TRUE(IsWindow(tips));
}

TEST_F(WithoutToolbar, AttributesChangeFromBoxAndMenu)
{
    for (const Attribute& a : kAttributes) {
        SCOPED_TRACE(a.name);
        for (Way way : {Way::CheckBox, Way::Menu}) {
            bool before = IsDlgButtonChecked(h.Hwnd(), a.checkBox) == BST_CHECKED;
            HFONT font = SampleBoxFontHandle(h);
            Change(h, a, way);
            bool after = IsDlgButtonChecked(h.Hwnd(), a.checkBox) == BST_CHECKED;
            EXPECT_NE(before, after);
            EXPECT_EQ(after ? 1 : 0, h.Get<int>([&] { return ViewerApp().ViewerSettings.*a.field; }));
            EXPECT_NE(font, SampleBoxFontHandle(h));
        }
    }
}

TEST_F(WithoutToolbar, DialogCommandsLayoutAndCloseStillWork)
{
    CancelDialogsWhile(h.ThreadId(), [&] {
        for (UINT command : {ID_FILE_OPEN_TEXT, ID_FILE_PRINT, ID_FILE_PRINT_SETUP, ID_HELP_ABOUT}) h.Command(command);
    });
    EXPECT_FALSE(h.Ended());

    SetWindowPos(h.Hwnd(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, box;
    GetClientRect(h.Hwnd(), &client);
    GetWindowRect(h.Item(IDC_SAMPLE_BOX), &box);
    MapWindowPoints(nullptr, h.Hwnd(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(client.right, box.right);
    EXPECT_EQ(client.bottom, box.bottom);

    h.Post(WM_CLOSE);
    ASSERT_TRUE(h.WaitForEnd());
    EXPECT_EQ(1, h.Result());
}

}  // namespace
