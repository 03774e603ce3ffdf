// The About box and its hyperlink label, opened through the main window's commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "dialogs/LinkLabel.h"
#include "res/resource.h"
#include "support/DialogAnswer.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

const char kAboutCaption[] = "About Typoscope";

struct ShellCall {
    HWND owner;
    std::string verb;
    std::string file;
    bool hasParameters;
    bool hasDirectory;
    INT showCommand;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                 INT showCommand)
{
    g_shellCalls.push_back({owner, verb ? verb : "", file ? file : "", parameters != nullptr,
                            directory != nullptr, showCommand});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

bool ToolbarButtonChecked(const ViewerHarness& h, int command)
{
    return SendMessageA(h.Item(IDC_TOOLBAR), TB_ISBUTTONCHECKED, static_cast<WPARAM>(command), 0) != 0;
}

// A complete web address: a scheme the shell opens in a browser, a host with a dot, no blanks.
bool IsCompleteWebAddress(const std::string& text)
{
    std::string rest;
    for (const char* scheme : {"https://", "http://"})
        if (text.compare(0, strlen(scheme), scheme) == 0) rest = text.substr(strlen(scheme));
    if (rest.empty()) return false;
    std::string host = rest.substr(0, rest.find('/'));
    if (host.find('.') == std::string::npos || host.front() == '.' || host.back() == '.') return false;
    for (char c : text)
        if (std::isspace(static_cast<unsigned char>(c)) || !std::isprint(static_cast<unsigned char>(c))) return false;
    return true;
}

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_shellCalls.clear();
        CLinkLabel::ShellOpen = &RecordShellOpen;
        ASSERT_TRUE(h.Started());
    }
    void TearDown() override
    {
        if (box && IsWindow(box)) {
            PressDialogButton(box, IDOK);
            WaitForWindowGone(box);
        }
        CLinkLabel::ShellOpen = &::ShellExecuteA;
    }

    // Opens the box through Help, About and waits for it.
    void Open(UINT command = ID_HELP_ABOUT)
    {
        h.PostCommand(command);
        box = WaitForThreadWindow(h.ThreadId(), "#32770", kAboutCaption);
        ASSERT_NE(nullptr, box) << "the About box did not open";
        label = GetDlgItem(box, IDC_LINK_LABEL);
        ASSERT_NE(nullptr, label);
    }
    void Close(int button = IDOK)
    {
        PressDialogButton(box, button);
        ASSERT_TRUE(WaitForWindowGone(box)) << "the About box did not close";
    }
    void SetLabelText(const std::string& text)
    {
        SetWindowTextA(label, text.c_str());
        InvalidateRect(label, nullptr, TRUE);
        UpdateWindow(label);
    }
    void ClickLabel(int x, int y) { SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    ViewerHarness h;
    HWND box = nullptr;
    HWND label = nullptr;
};

TEST_F(AboutBox, HelpAboutPressesTheToolbarButtonWhileOpen)
{
    ASSERT_NE(nullptr, h.Item(IDC_TOOLBAR)) << "the main window has no toolbar";
    EXPECT_FALSE(ToolbarButtonChecked(h, ID_HELP_ABOUT));
    Open(ID_HELP_ABOUT);
    EXPECT_TRUE(ToolbarButtonChecked(h, ID_HELP_ABOUT));
    EXPECT_EQ(h.Hwnd(), GetWindow(box, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(h.Hwnd())) << "the box is modal to the main window";
    Close();
    // The command releases the button once the box has gone.
    EXPECT_TRUE(WaitUntil([&] { return !ToolbarButtonChecked(h, ID_HELP_ABOUT); }));
    EXPECT_TRUE(IsWindowEnabled(h.Hwnd()));
}

TEST_F(AboutBox, SystemMenuItemOpensItWithoutTouchingTheToolbar)
{
    HWND toolbar = h.Item(IDC_TOOLBAR);
    h.Post(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    box = WaitForThreadWindow(h.ThreadId(), "#32770", kAboutCaption);
    ASSERT_NE(nullptr, box) << "the About box did not open from the system menu";
    if (toolbar) {
        EXPECT_FALSE(ToolbarButtonChecked(h, ID_HELP_ABOUT));
    }
    // The low four bits of a system command are the platform's own.
    Close();
    h.Post(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    box = WaitForThreadWindow(h.ThreadId(), "#32770", kAboutCaption);
    ASSERT_NE(nullptr, box) << "the About box did not open for 16 with low bits set";
    Close();
}

TEST_F(AboutBox, OkAndEscapeBothEndIt)
{
    Open();
    Close(IDOK);
    Open();
    PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitForWindowGone(box)) << "Escape did not end the box";
    EXPECT_TRUE(IsWindow(h.Hwnd()));
}

TEST_F(AboutBox, TemplateHasItsCaptionStylesAndControls)
{
    Open();
    LONG style = GetWindowLongA(box, GWL_STYLE);
    const LONG boxStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    EXPECT_EQ(boxStyles, style & boxStyles);
    RECT client;
    GetClientRect(box, &client);
    RECT size = {0, 0, 207, 161};
    MapDialogRect(box, &size);
    EXPECT_EQ(size.right, client.right);
    EXPECT_EQ(size.bottom, client.bottom);

    struct Control {
        int id;
        const char* className;
        DWORD styleMask;
        DWORD style;
        bool checkText;
        const char* text;
        RECT units;  // x, y, width, height
    };
    const DWORD kType = SS_TYPEMASK;
    const Control expected[] = {
        {-1, "Static", kType, SS_ICON, false, "", {9, 11, 20, 20}},
        {-1, "Static", kType | SS_NOPREFIX | WS_GROUP, SS_LEFT | SS_NOPREFIX | WS_GROUP, true, "Typoscope Version 1.0", {40, 10, 119, 8}},
        {-1, "Static", kType | SS_NOPREFIX | WS_GROUP, SS_LEFT | SS_NOPREFIX | WS_GROUP, true,
         "A system utility to view installed fonts.", {40, 25, 119, 8}},
        {-1, "Static", kType | WS_GROUP, SS_LEFT | WS_GROUP, false, "", {40, 40, 139, 8}},
        {-1, "Static", kType | WS_GROUP, SS_LEFT | WS_GROUP, false, "", {40, 55, 92, 8}},
        {-1, "Static", kType, SS_ETCHEDHORZ, true, "", {40, 71, 146, 1}},
        {-1, "Static", kType | WS_GROUP, SS_LEFT | WS_GROUP, false, "", {40, 81, 106, 8}},
        {IDC_LINK_LABEL, "Static", kType | SS_NOTIFY | WS_GROUP, SS_LEFTNOWORDWRAP | SS_NOTIFY | WS_GROUP, false, "",
         {40, 96, 118, 8}},
        {-1, "Static", kType, SS_ICON, false, "", {160, 102, 20, 20}},
        {-1, "Static", kType, SS_ICON, false, "", {177, 92, 20, 20}},
        {IDOK, "Button", 0xF | WS_TABSTOP | WS_GROUP, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, true, "OK",
         {82, 138, 44, 16}},
    };
    std::vector<HWND> children = ChildWindows(box);
    ASSERT_EQ(sizeof expected / sizeof expected[0], children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const Control& c = expected[i];
        HWND child = children[i];
        SCOPED_TRACE("control " + std::to_string(i + 1));
        EXPECT_EQ(c.id, static_cast<int>(static_cast<short>(GetDlgCtrlID(child))));
        EXPECT_EQ(c.className, WindowClass(child));
        DWORD childStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE), childStyle & (WS_CHILD | WS_VISIBLE));
        EXPECT_EQ(c.style, childStyle & c.styleMask);
        if (c.checkText) {
            EXPECT_EQ(c.text, WindowText(child));
        } else if ((c.style & kType) != SS_ICON) {
            EXPECT_FALSE(WindowText(child).empty());
        }

        RECT want = {c.units.left, c.units.top, c.units.left + c.units.right, c.units.top + c.units.bottom};
        MapDialogRect(box, &want);
        RECT have;
        GetWindowRect(child, &have);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&have), 2);
        EXPECT_EQ(want.left, have.left);
        EXPECT_EQ(want.top, have.top);
        // Icon controls take the size of their icon, and etched lines get their edge.
        if ((c.style & kType) != SS_ICON && (c.style & kType) != SS_ETCHEDHORZ) {
            EXPECT_EQ(want.right, have.right);
            EXPECT_EQ(want.bottom, have.bottom);
        }
    }
    EXPECT_TRUE(GetWindowLongA(children.back(), GWL_EXSTYLE) & WS_EX_STATICEDGE);

    // The emblem's two halves and the program's icon are the program's own.
    HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_NE(0, SendMessageA(children[0], STM_GETICON, 0, 0));
    EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(IDI_EMBLEM_LEFT), RT_GROUP_ICON));
    EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(IDI_EMBLEM_RIGHT), RT_GROUP_ICON));
    EXPECT_NE(0, SendMessageA(children[8], STM_GETICON, 0, 0));
    EXPECT_NE(0, SendMessageA(children[9], STM_GETICON, 0, 0));
}

TEST_F(AboutBox, LabelHoldsACompleteWebAddress)
{
    Open();
    std::string address = WindowText(label);
    EXPECT_TRUE(IsCompleteWebAddress(address)) << address;
    EXPECT_EQ("https://typoscope.example.org/", address);
    // The address fits its line in the box's own font.
    const SIZE extent = TextExtentIn(label, address);
    RECT rect;
    GetClientRect(label, &rect);
    EXPECT_LE(extent.cx, rect.right);
}

TEST_F(AboutBox, LabelDrawsBlueUnderlinedTextOnTheButtonFace)
{
    Open();
    UpdateWindow(box);
    InvalidateRect(label, nullptr, TRUE);
    UpdateWindow(label);
    ClientPixels shot = ReadClientPixels(label);
    ASSERT_GT(shot.width, 0);
    const COLORREF blue = RGB(0, 0, 255);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int bluePixels = 0, otherPixels = 0, left = shot.width, right = -1, longestRun = 0;
    for (int y = 0; y < shot.height; ++y) {
        int run = 0;
        for (int x = 0; x < shot.width; ++x) {
            COLORREF c = shot.At(x, y);
            if (c == blue) {
                ++bluePixels;
                left = std::min(left, x);
                right = std::max(right, x);
                longestRun = std::max(longestRun, ++run);
            } else {
                run = 0;
                if (c != face) ++otherPixels;
            }
        }
    }
    EXPECT_GT(bluePixels, 50) << "no blue text";
    EXPECT_EQ(0, otherPixels) << "only blue text on the button face";
    // The underline is the one line that runs under the whole text.
    EXPECT_GE(longestRun, (right - left + 1) * 9 / 10) << "no underline";
    EXPECT_EQ(face, shot.At(shot.width - 1, 0)) << "the background is the button face";
}

TEST_F(AboutBox, EmptyLabelPaintsOnlyItsBackgroundAndIgnoresClicks)
{
    Open();
    SetLabelText("");
    ClientPixels shot = ReadClientPixels(label);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int other = 0;
    for (COLORREF c : shot.pixels) other += c != face;
    EXPECT_EQ(0, other);
    ClickLabel(2, 2);
    EXPECT_TRUE(g_shellCalls.empty());
}

TEST_F(AboutBox, PressAnywhereInTheLabelOpensItsTextWithTheShell)
{
    Open();
    std::string address = WindowText(label);
    RECT rect;
    GetClientRect(label, &rect);
    const struct {
        const char* where;
        int x, y;
    } points[] = {{"on the text", 3, rect.bottom / 2},
                  {"right of the text", rect.right - 1, rect.bottom / 2},
                  {"bottom right corner", rect.right - 1, rect.bottom - 1}};
    for (const auto& p : points) {
        SCOPED_TRACE(p.where);
        g_shellCalls.clear();
        ClickLabel(p.x, p.y);
        ASSERT_EQ(1u, g_shellCalls.size());
        const ShellCall& call = g_shellCalls[0];
        EXPECT_EQ(label, call.owner);
        EXPECT_EQ("open", call.verb);
        EXPECT_EQ(address, call.file);
        EXPECT_FALSE(call.hasParameters);
        EXPECT_FALSE(call.hasDirectory);
        EXPECT_EQ(SW_SHOWNORMAL, call.showCommand);
    }
    // The release does nothing more.
    SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(1u, g_shellCalls.size());
    EXPECT_TRUE(IsWindow(box)) << "a click on the link leaves the box open";
}

TEST_F(AboutBox, LongLabelTextIsOpenedCutTo254Characters)
{
    Open();
    std::string longText = "https://typoscope.example.org/" + std::string(300, 'x');
    SetLabelText(longText);
    ClickLabel(1, 1);
    ASSERT_EQ(1u, g_shellCalls.size());
    EXPECT_EQ(longText.substr(0, 254), g_shellCalls[0].file);
}

TEST_F(AboutBox, HandCursorOverTheLabelOnly)
{
    Open();
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    ASSERT_NE(nullptr, hand);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);

    // The real pointer stays away from the program's windows, so that only these messages set the cursor.
    RECT main, about;
    GetWindowRect(h.Hwnd(), &main);
    GetWindowRect(box, &about);
    POINT away = {0, 0};
    int right = GetSystemMetrics(SM_CXSCREEN) - 1, bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
    for (POINT corner : {POINT{0, 0}, POINT{right, 0}, POINT{0, bottom}, POINT{right, bottom}}) {
        if (!PtInRect(&main, corner) && !PtInRect(&about, corner)) {
            away = corner;
            break;
        }
    }
    SetCursorPos(away.x, away.y);
    ASSERT_TRUE(WaitUntil([&] {
        POINT at;
        GetCursorPos(&at);
        return at.x == away.x && at.y == away.y;
    }));

    // Each message and the cursor it leaves are taken on the window's thread in one
    // go, so that no pointer event from the display can come in between.
    auto cursorAfter = [&](HWND target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        return h.Get<HCURSOR>([&] {
            SetCursor(arrow);
            LRESULT r = SendMessageA(target, message, wParam, lParam);
            if (result) *result = r;
            return GetCursor();
        });
    };
    LRESULT handled = 0;
    EXPECT_EQ(hand, cursorAfter(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), &handled));
    EXPECT_EQ(TRUE, handled);
    EXPECT_EQ(hand, cursorAfter(label, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4), nullptr));

    // Elsewhere the box sets the cursor as dialogs do.
    HWND ok = GetDlgItem(box, IDOK);
    EXPECT_EQ(arrow, cursorAfter(ok, WM_SETCURSOR, reinterpret_cast<WPARAM>(ok), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE),
                                 nullptr));

    // Hot spot at the finger's tip.
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_EQ(5u, info.xHotspot);
    EXPECT_EQ(0u, info.yHotspot);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

}  // namespace
