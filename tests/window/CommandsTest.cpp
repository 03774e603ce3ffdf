// The command dispatcher: every row of its table, reached by the menu's identifiers.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "res/resource.h"
#include "support/DialogAnswer.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

struct Attribute {
    const char* name;
    int checkBox;
    UINT command;
    int ViewerSettingsRecord::*field;
    // The part of the preview font the attribute sets.
    bool (*inFont)(const LOGFONTA&);
};

const Attribute kAttributes[] = {
    {"Bold", IDC_BOLD, ID_EDIT_BOLD, &ViewerSettingsRecord::Bold,
     [](const LOGFONTA& f) { return f.lfWeight == FW_BOLD; }},
    {"Italic", IDC_ITALIC, ID_EDIT_ITALIC, &ViewerSettingsRecord::Italic,
     [](const LOGFONTA& f) { return f.lfItalic != 0; }},
    {"Underline", IDC_UNDERLINE, ID_EDIT_UNDERLINE, &ViewerSettingsRecord::Underline,
     [](const LOGFONTA& f) { return f.lfUnderline != 0; }},
    {"StrikeOut", IDC_STRIKEOUT, ID_EDIT_STRIKEOUT, &ViewerSettingsRecord::StrikeOut,
     [](const LOGFONTA& f) { return f.lfStrikeOut != 0; }},
};

bool Checked(const ViewerHarness& h, int checkBox)
{
    return IsDlgButtonChecked(h.Hwnd(), checkBox) == BST_CHECKED;
}

// Each attribute command flips only its box, stores it, rebuilds the font and sets its button.
TEST(Dispatch, AttributeCommandsToggleTheirBoxStoreItRebuildTheFontAndSetTheButton)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    for (int round = 1; round <= 2; ++round) {
        for (const Attribute& a : kAttributes) {
            SCOPED_TRACE(testing::Message() << a.name << " round " << round);
            HFONT before = SampleBoxFontHandle(h);
            h.Command(a.command);
            bool on = round == 1;
            EXPECT_EQ(on, Checked(h, a.checkBox));
            EXPECT_EQ(on ? 1 : 0, h.Settings().*a.field);
            EXPECT_EQ(on, a.inFont(SampleBoxFont(h)));
            EXPECT_NE(before, SampleBoxFontHandle(h));
            EXPECT_EQ(on ? 1 : 0, ToolbarButtonChecked(ToolbarOf(h), static_cast<int>(a.command)));
            // The other three are untouched.
            for (const Attribute& other : kAttributes) {
                if (&other == &a) continue;
                bool otherOn = round == 1 ? (&other < &a) : (&other > &a);
                EXPECT_EQ(otherOn, Checked(h, other.checkBox)) << other.name;
                EXPECT_EQ(otherOn ? 1 : 0, h.Settings().*other.field) << other.name;
            }
        }
    }
}

TEST(Dispatch, ExitEndsTheWindowAtOnceWithResultOne)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    h.Command(ID_FILE_EXIT);
    ASSERT_TRUE(h.WaitForEnd());
    EXPECT_EQ(1, h.Result());
}

TEST(Dispatch, ExitSkipsTheClosingStepsThatCloseRuns)
{
    // Seen from inside the window's thread right after each command has been handled.
    struct Path {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool closingStepsRun;
    };
    const Path paths[] = {{"Exit", WM_COMMAND, ID_FILE_EXIT, false}, {"Close", WM_CLOSE, 0, true}};
    for (const Path& path : paths) {
        SCOPED_TRACE(path.name);
        ViewerHarness h;
        ASSERT_TRUE(h.Started());
        HWND toolbar = ToolbarOf(h);
        ASSERT_TRUE(toolbar != nullptr);
        bool hasToolBar = false, hasFont = false, toolbarWindow = false;
        h.Run([&] {
            SendMessageA(h.Hwnd(), path.message, path.wParam, 0);
            hasToolBar = h.Dlg().ToolBar != nullptr;
            hasFont = h.Dlg().PreviewFont != nullptr;
            toolbarWindow = IsWindow(toolbar) != FALSE;
        });
        EXPECT_EQ(!path.closingStepsRun, hasToolBar);
        EXPECT_EQ(!path.closingStepsRun, hasFont);
        EXPECT_EQ(!path.closingStepsRun, toolbarWindow);
        ASSERT_TRUE(h.WaitForEnd());
        EXPECT_EQ(1, h.Result());
    }
}

TEST(Dispatch, SizePresetsSetTheSizeFieldTheSettingAndTheFont)
{
    const int presets[] = {8, 10, 12, 14, 20, 24, 36, 48, 60, 72};
    ViewerSettingsRecord settings;
    settings.Size = 13;
    ViewerHarness h(settings);
    ASSERT_TRUE(h.Started());
    for (int i = 9; i >= 0; --i) {
        SCOPED_TRACE(testing::Message() << "size " << presets[i]);
        LOGFONTA before = SampleBoxFont(h);
        h.Command(ID_SIZE_8 + static_cast<UINT>(i));
        EXPECT_EQ(presets[i], h.Get<int>([&] { return h.Dlg().CurrentSize; }));
        EXPECT_EQ(std::to_string(presets[i]), ItemText(h, IDC_SIZE_FIELD));
        EXPECT_EQ(presets[i], h.Settings().Size);
        EXPECT_NE(before.lfHeight, SampleBoxFont(h).lfHeight);
    }
}

TEST(Dispatch, OtherChangesNothing)
{
    ViewerHarness h(SettingsWith("Arial", 13, 1));
    ASSERT_TRUE(h.Started());
    HFONT font = SampleBoxFontHandle(h);
    std::string face = SelectedFace(h);
    std::string text = ItemText(h, IDC_SAMPLE_BOX);
    h.Command(ID_SIZE_OTHER);
    EXPECT_EQ(13, h.Get<int>([&] { return h.Dlg().CurrentSize; }));
    EXPECT_EQ("13", ItemText(h, IDC_SIZE_FIELD));
    EXPECT_EQ(13, h.Settings().Size);
    EXPECT_EQ(font, SampleBoxFontHandle(h));
    EXPECT_EQ(face, SelectedFace(h));
    EXPECT_EQ(text, ItemText(h, IDC_SAMPLE_BOX));
    EXPECT_TRUE(Checked(h, IDC_BOLD));
    EXPECT_FALSE(h.Ended());
}

// A face of the list other than the given one.
std::string OtherFace(const ViewerHarness& h, const std::string& face)
{
    for (const std::string& entry : ListEntries(h.Item(IDC_FONT_LIST)))
        if (!entry.empty() && entry != face) return entry;
    return "";
}

std::string FirstFace(const ViewerHarness& h)
{
    return ListEntries(h.Item(IDC_FONT_LIST)).at(0);
}

void SelectWithoutNotice(ViewerHarness& h, const std::string& face)
{
    SendMessageA(h.Item(IDC_FONT_LIST), LB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(face.c_str()));
}

TEST(Dispatch, RefreshRefillsTheListSelectsTheStoredFaceAndRebuildsTheFont)
{
    ViewerHarness h(SettingsWith("Arial", 20, 0, 1));
    ASSERT_TRUE(h.Started());
    std::string stored = SelectedFace(h);
    ASSERT_FALSE(stored.empty());
    h.Run([&] { strcpy(ViewerApp().ViewerSettings.Name, stored.c_str()); });
    std::string other = OtherFace(h, stored);
    ASSERT_FALSE(other.empty());
    SelectWithoutNotice(h, other);
    // A face that no longer exists: the refill drops it.
    SendMessageA(h.Item(IDC_FONT_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("No Such Face Anywhere"));
    LRESULT count = SendMessageA(h.Item(IDC_FONT_LIST), LB_GETCOUNT, 0, 0);
    std::string text = "typed text";
    SetWindowTextA(h.Item(IDC_SAMPLE_BOX), text.c_str());

    h.Command(ID_VIEW_REFRESH);
    EXPECT_EQ(count - 1, SendMessageA(h.Item(IDC_FONT_LIST), LB_GETCOUNT, 0, 0));
    EXPECT_EQ(stored, SelectedFace(h));
    EXPECT_STREQ(stored.c_str(), SampleBoxFont(h).lfFaceName);
    EXPECT_NE(0, SampleBoxFont(h).lfItalic);
    EXPECT_TRUE(Checked(h, IDC_ITALIC));
    EXPECT_EQ(20, h.Get<int>([&] { return h.Dlg().CurrentSize; }));
    EXPECT_EQ("20", ItemText(h, IDC_SIZE_FIELD));
    EXPECT_EQ(text, ItemText(h, IDC_SAMPLE_BOX));
}

TEST(Dispatch, RefreshWithTheStoredFaceGoneSelectsTheFirstFaceAndKeepsTheName)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    h.Run([&] { strcpy(ViewerApp().ViewerSettings.Name, "No Such Face Anywhere"); });
    SelectWithoutNotice(h, OtherFace(h, FirstFace(h)));
    h.Command(ID_VIEW_REFRESH);
    EXPECT_EQ(FirstFace(h), SelectedFace(h));
    EXPECT_STREQ(FirstFace(h).c_str(), SampleBoxFont(h).lfFaceName);
    EXPECT_STREQ("No Such Face Anywhere", h.Settings().Name);
}

// The three commands with a dialog release their button afterwards, whatever its state
// before; Print Setup leaves the Print button alone.
struct ModalRow {
    const char* name;
    UINT command;
    int button;
    int releasedTo;  // -1: left as it was
};

const ModalRow kModalRows[] = {
    {"Open Text File", ID_FILE_OPEN_TEXT, ID_FILE_OPEN_TEXT, 0},
    {"Print", ID_FILE_PRINT, ID_FILE_PRINT, 0},
    {"About", ID_HELP_ABOUT, ID_HELP_ABOUT, 0},
    {"Print Setup", ID_FILE_PRINT_SETUP, ID_FILE_PRINT, -1},
};

TEST(Dispatch, DialogCommandsReleaseTheirButtonAfterwardsAndPrintSetupLeavesPrintAlone)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HWND toolbar = ToolbarOf(h);
    ASSERT_TRUE(toolbar != nullptr);
    for (const ModalRow& row : kModalRows) {
        for (int before = 0; before <= 1; ++before) {
            SCOPED_TRACE(testing::Message() << row.name << ", button before " << before);
            SendMessageA(toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(row.button), MAKELPARAM(before, 0));
            CancelDialogsWhile(h.ThreadId(), [&] { h.Command(row.command); });
            EXPECT_EQ(row.releasedTo < 0 ? before : row.releasedTo, ToolbarButtonChecked(toolbar, row.button));
            EXPECT_FALSE(h.Ended());
        }
    }
}

TEST(Dispatch, EnterAndEscapeCommandsLeaveTheWindowOpen)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    h.Command(IDOK);
    h.Command(IDCANCEL);
    // Posted ones pass the modal loop; a command posted after them shows they have been handled.
    h.Post(WM_COMMAND, IDOK, 0);
    h.Post(WM_COMMAND, IDCANCEL, 0);
    h.PostCommand(ID_SIZE_8);
    EXPECT_TRUE(WaitUntil([&] { return h.Get<int>([&] { return h.Dlg().CurrentSize; }) == 8; }));
    EXPECT_FALSE(h.Ended());
}

TEST(Dispatch, IdentifiersOutsideTheTableAreIgnored)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HFONT font = SampleBoxFontHandle(h);
    for (UINT id : {32791u, 32794u, 32797u, 32798u, 32801u, 5000u, 0u}) {
        SCOPED_TRACE(testing::Message() << "command " << id);
        h.Command(id);
        EXPECT_FALSE(h.Ended());
        EXPECT_EQ(font, SampleBoxFontHandle(h));
        EXPECT_EQ(12, h.Get<int>([&] { return h.Dlg().CurrentSize; }));
    }
}

TEST(Dispatch, F5DoesNothing)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    std::string stored = SelectedFace(h);
    h.Run([&] { strcpy(ViewerApp().ViewerSettings.Name, stored.c_str()); });
    // Refresh would put the selection back on the stored face; F5 must not.
    std::string other = OtherFace(h, stored);
    SelectWithoutNotice(h, other);
    HWND list = h.Item(IDC_FONT_LIST);
    for (HWND target : {list, h.Item(IDC_SAMPLE_BOX), h.Hwnd()}) {
        PostMessageA(target, WM_KEYDOWN, VK_F5, 0x003F0001);
        PostMessageA(target, WM_KEYUP, VK_F5, static_cast<LPARAM>(0xC03F0001u));
    }
    // Messages posted later are handled later: once the size has changed, the keys are through.
    h.PostCommand(ID_SIZE_8);
    ASSERT_TRUE(WaitUntil([&] { return h.Get<int>([&] { return h.Dlg().CurrentSize; }) == 8; }));
    EXPECT_EQ(other, SelectedFace(h));
    EXPECT_FALSE(h.Ended());
}

}  // namespace
