// Word wrap and the vertical scroll bar of the live sample box.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "support/Files.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"

namespace {

// A line far wider than the box: one line unwrapped, many wrapped.
std::string LongLine()
{
    std::string line;
    for (int i = 0; i < 60; ++i) line += "wrapping words ";
    return line + "\r\nsecond line\r\n";
}

bool BarShown(HWND box) { return (GetWindowLongA(box, GWL_STYLE) & WS_VSCROLL) != 0; }
bool Wraps(HWND box) { return (GetWindowLongA(box, GWL_STYLE) & ES_AUTOHSCROLL) == 0; }
LRESULT LineCount(HWND box) { return SendMessageA(box, EM_GETLINECOUNT, 0, 0); }

// Everything of the box that word wrap must leave as it was.
struct BoxState {
    std::string text;
    HFONT font;
    RECT rect;
    DWORD selStart, selEnd;
    LRESULT modified, limit, margins;
    LONG style, exStyle;
    HWND previous, next;
    bool focused, attached;
    int id;
};

BoxState Capture(ViewerHarness& h)
{
    return h.Get<BoxState>([&] {
        BoxState s{};
        HWND box = GetDlgItem(h.Hwnd(), IDC_SAMPLE_BOX);
        s.text = WindowText(box);
        s.font = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
        GetWindowRect(box, &s.rect);
        SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&s.selStart), reinterpret_cast<LPARAM>(&s.selEnd));
        s.modified = SendMessageA(box, EM_GETMODIFY, 0, 0);
        s.limit = SendMessageA(box, EM_GETLIMITTEXT, 0, 0);
        s.margins = SendMessageA(box, EM_GETMARGINS, 0, 0);
        s.style = GetWindowLongA(box, GWL_STYLE) & ~ES_AUTOHSCROLL;
        s.exStyle = GetWindowLongA(box, GWL_EXSTYLE);
        s.previous = GetWindow(box, GW_HWNDPREV);
        s.next = GetWindow(box, GW_HWNDNEXT);
        s.focused = GetFocus() == box;
        s.attached = h.Dlg().SampleBox.m_hWnd == box;
        s.id = GetDlgCtrlID(box);
        return s;
    });
}

void ExpectSameExceptWrapping(const BoxState& a, const BoxState& b)
{
    EXPECT_TRUE(a.text == b.text) << "text";
    EXPECT_EQ(a.font, b.font);
    EXPECT_TRUE(EqualRect(&a.rect, &b.rect)) << "position and size";
    EXPECT_EQ(a.selStart, b.selStart);
    EXPECT_EQ(a.selEnd, b.selEnd);
    EXPECT_EQ(a.modified, b.modified);
    EXPECT_EQ(a.limit, b.limit);
    EXPECT_EQ(a.margins, b.margins);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.exStyle, b.exStyle);
    EXPECT_EQ(a.previous, b.previous) << "tab order";
    EXPECT_EQ(a.next, b.next) << "tab order";
    EXPECT_EQ(a.focused, b.focused);
    EXPECT_TRUE(b.attached) << "SampleBox no longer speaks for the box";
    EXPECT_EQ(IDC_SAMPLE_BOX, b.id);
}

class DisplayOptions : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA((ExecutableFolder() + "sample.txt").c_str()); }
    void TearDown() override { DeleteFileA((ExecutableFolder() + "sample.txt").c_str()); }
};

TEST_F(DisplayOptions, WordWrapTwiceChangesOnlyTheWrappingAndReturns)
{
    ViewerHarness h;  // stored Wordwrap 0
    ASSERT_TRUE(h.Started());
    h.Run([&] {
        CEdit& box = h.Dlg().SampleBox;
        box.SetWindowText(LongLine().c_str());
        box.SendMessage(EM_SETLIMITTEXT, 5000000, 0);
        box.SendMessage(EM_SETMODIFY, TRUE, 0);
        box.SendMessage(EM_SETSEL, 20, 35);
        ::SetFocus(box);
    });
    const BoxState start = Capture(h);
    ASSERT_TRUE(start.focused);
    HWND box = h.Item(IDC_SAMPLE_BOX);
    EXPECT_FALSE(Wraps(box));
    EXPECT_EQ(3, LineCount(box));

    struct Step {
        int wraps;
    } kSteps[] = {{1}, {0}};
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.wraps);
        h.Command(ID_EDIT_WORDWRAP);
        box = h.Item(IDC_SAMPLE_BOX);
        EXPECT_EQ(step.wraps, h.Get<int>([&] { return h.Dlg().WordWrapState; }));
        EXPECT_EQ(step.wraps, h.Get<int>([&] { return theApp.ViewerSettings.Wordwrap; }));
        EXPECT_EQ(step.wraps != 0, Wraps(box));
        if (step.wraps) {
            EXPECT_GT(LineCount(box), 5) << "the long line wraps";
        } else {
            EXPECT_EQ(3, LineCount(box));
        }
        ExpectSameExceptWrapping(start, Capture(h));
        // The re-created box still takes typing at the caret.
    }
    h.Run([&] { h.Dlg().SampleBox.ReplaceSel("X"); });
    std::string typed = LongLine();
    typed.replace(20, 15, "X");
    EXPECT_EQ(typed, WindowText(h.Item(IDC_SAMPLE_BOX)));
}

TEST_F(DisplayOptions, ScrollbarTwiceShowsAndHidesTheBarAndReturns)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    SetWindowTextA(h.Item(IDC_SAMPLE_BOX), "text stays");
    h.Run([&] { h.Dlg().SampleBox.SendMessage(EM_SETSEL, 2, 4); });
    const BoxState start = Capture(h);
    EXPECT_FALSE(BarShown(h.Item(IDC_SAMPLE_BOX)));
    std::string tall;
    for (int i = 0; i < 200; ++i) tall += "line\r\n";
    for (int shown : {1, 0}) {
        SCOPED_TRACE(shown);
        h.Command(ID_VIEW_SCROLLBAR);
        HWND box = h.Item(IDC_SAMPLE_BOX);
        EXPECT_EQ(shown, h.Get<int>([&] { return h.Dlg().ScrollbarState; }));
        EXPECT_EQ(shown, h.Get<int>([&] { return theApp.ViewerSettings.Scrollbar; }));
        EXPECT_EQ(shown != 0, BarShown(box));
        BoxState now = Capture(h);
        now.style = (now.style & ~WS_VSCROLL) | (start.style & WS_VSCROLL);
        ExpectSameExceptWrapping(start, now);
    }
    // Text taller than the box does not bring a hidden bar back.
    SetWindowTextA(h.Item(IDC_SAMPLE_BOX), tall.c_str());
    EXPECT_FALSE(BarShown(h.Item(IDC_SAMPLE_BOX)));
    h.Command(ID_VIEW_SCROLLBAR);
    EXPECT_TRUE(BarShown(h.Item(IDC_SAMPLE_BOX)));
    EXPECT_EQ(tall, WindowText(h.Item(IDC_SAMPLE_BOX)));
}

struct StoredCase {
    int wordwrap, scrollbar;
    int wrapState, barState;  // after start-up, also what the settings then hold
};

class DisplayOptionsAtStart : public DisplayOptions, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(DisplayOptionsAtStart, FollowTheStoredValues)
{
    const StoredCase& c = GetParam();
    ASSERT_TRUE(WriteFileBytes(ExecutableFolder() + "sample.txt", LongLine()));
    ViewerSettingsRecord settings;
    settings.Wordwrap = c.wordwrap;
    settings.Scrollbar = c.scrollbar;
    ViewerHarness h(settings);
    ASSERT_TRUE(h.Started());
    HWND box = h.Item(IDC_SAMPLE_BOX);
    EXPECT_EQ(c.wrapState, h.Get<int>([&] { return h.Dlg().WordWrapState; }));
    EXPECT_EQ(c.barState, h.Get<int>([&] { return h.Dlg().ScrollbarState; }));
    EXPECT_EQ(c.wrapState, h.Get<int>([&] { return theApp.ViewerSettings.Wordwrap; }));
    EXPECT_EQ(c.barState, h.Get<int>([&] { return theApp.ViewerSettings.Scrollbar; }));
    EXPECT_EQ(c.wrapState != 0, Wraps(box));
    if (c.wrapState) {
        EXPECT_GT(LineCount(box), 5);
    } else {
        EXPECT_EQ(3, LineCount(box));
    }
    EXPECT_EQ(c.barState != 0, BarShown(box));
    EXPECT_EQ(LongLine(), WindowText(box));
    EXPECT_TRUE(h.Get<bool>([&] { return h.Dlg().SampleBox.m_hWnd == box; }));
}

INSTANTIATE_TEST_SUITE_P(Stored, DisplayOptionsAtStart,
                         ::testing::Values(StoredCase{0, 0, 0, 0}, StoredCase{1, 1, 1, 1}, StoredCase{5, 5, 0, 1},
                                           StoredCase{1, 0, 1, 0}, StoredCase{0, 1, 0, 1},
                                           StoredCase{-1, -1, 0, 1}),
                         [](const ::testing::TestParamInfo<StoredCase>& info) {
                             auto name = [](int v) { return v < 0 ? "Minus" + std::to_string(-v) : std::to_string(v); };
                             return "Wordwrap" + name(info.param.wordwrap) + "Scrollbar" + name(info.param.scrollbar);
                         });

}  // namespace
