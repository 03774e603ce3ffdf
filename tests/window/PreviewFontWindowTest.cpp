// Start-up state, the size field, the presets and the font the sample box draws with.
#include <gtest/gtest.h>

#include <climits>

#include "FixtureFonts.h"
#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"
#include "support/ProgramFonts.h"

namespace {

std::string ItemText(HWND item)
{
    return WindowText(item);
}

struct StoredState {
    const char* name;
    int bold, italic, underline, strikeOut, size;
};

class StartupState : public testing::TestWithParam<StoredState> {};

TEST_P(StartupState, BringsTheStoredChoicesIntoTheControlsAndThePreview)
{
    const StoredState& c = GetParam();
    ViewerHarness h(SettingsWith("tsfx gamma", c.size, c.bold, c.italic, c.underline, c.strikeOut));
    ASSERT_TRUE(h.Started());

    EXPECT_EQ(static_cast<LRESULT>(c.bold), SendMessageA(h.Item(IDC_BOLD), BM_GETCHECK, 0, 0));
    EXPECT_EQ(static_cast<LRESULT>(c.italic), SendMessageA(h.Item(IDC_ITALIC), BM_GETCHECK, 0, 0));
    EXPECT_EQ(static_cast<LRESULT>(c.underline), SendMessageA(h.Item(IDC_UNDERLINE), BM_GETCHECK, 0, 0));
    EXPECT_EQ(static_cast<LRESULT>(c.strikeOut), SendMessageA(h.Item(IDC_STRIKEOUT), BM_GETCHECK, 0, 0));
    EXPECT_EQ(std::to_string(c.size), ItemText(h.Item(IDC_SIZE_FIELD)));
    EXPECT_EQ(c.size, h.Get<int>([&] { return h.Dlg().CurrentSize; }));
    if (RegisteredFixtureFonts() == kFixtureFaceCount) {
        EXPECT_EQ("Tsfx Gamma", SelectedFace(h));
    }

    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_EQ(c.bold ? 700 : 400, font.lfWeight);
    EXPECT_EQ(c.italic, font.lfItalic);
    EXPECT_EQ(c.underline, font.lfUnderline);
    EXPECT_EQ(c.strikeOut, font.lfStrikeOut);
    EXPECT_EQ(ExpectedHeight(c.size), font.lfHeight);
    EXPECT_EQ(SelectedFace(h), font.lfFaceName);
    // The up-down's range binds only its arrows.
    LRESULT range = SendMessageA(h.Item(IDC_SIZE_SPIN), UDM_GETRANGE, 0, 0);
    EXPECT_EQ(4, HIWORD(range));
    EXPECT_EQ(120, LOWORD(range));
}

INSTANTIATE_TEST_SUITE_P(, StartupState,
                         testing::Values(StoredState{"Plain", 0, 0, 0, 0, 12}, StoredState{"Bold", 1, 0, 0, 0, 20},
                                         StoredState{"Italic", 0, 1, 0, 0, 8},
                                         StoredState{"Underline", 0, 0, 1, 0, 36},
                                         StoredState{"StrikeOut", 0, 0, 0, 1, 10},
                                         StoredState{"AllAtOddSize", 1, 1, 1, 1, 13},
                                         StoredState{"ZeroSize", 0, 0, 0, 0, 0},
                                         StoredState{"AboveTheSpinRange", 1, 0, 0, 0, 200}),
                         [](const testing::TestParamInfo<StoredState>& info) { return info.param.name; });

TEST(SizeField, AChangeBeforeStartUpHasEndedChangesNothing)
{
    ViewerHarness h(SettingsWith("tsfx alpha", 20));
    ASSERT_TRUE(h.Started());
    HFONT fontBefore = SampleBoxFontHandle(h);
    int sizeAfter = 0;
    h.Run([&] {
        CViewerDlg& dlg = h.Dlg();
        dlg.Initialized = 0;  // as it is while start-up runs
        SetDlgItemTextA(dlg.m_hWnd, IDC_SIZE_FIELD, "33");
        sizeAfter = dlg.CurrentSize;
        dlg.Initialized = 1;
    });
    EXPECT_EQ(20, sizeAfter);
    EXPECT_EQ(20, h.Settings().Size);
    EXPECT_EQ(fontBefore, SampleBoxFontHandle(h)) << "no font was built";
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_EQ(ExpectedHeight(20), font.lfHeight);
}

struct TypedSize {
    const char* caseName;
    const char* text;
    int size;
};

class TypedSizeTest : public testing::TestWithParam<TypedSize> {};

TEST_P(TypedSizeTest, RebuildsAndStoresTheSize)
{
    const TypedSize& c = GetParam();
    ViewerHarness h(SettingsWith("tsfx alpha", 12));
    ASSERT_TRUE(h.Started());
    // No text to draw: a huge font then costs nothing to paint.
    SetWindowTextA(h.Item(IDC_SAMPLE_BOX), "");
    SetWindowTextA(h.Item(IDC_SIZE_FIELD), c.text);
    EXPECT_EQ(c.size, h.Get<int>([&] { return h.Dlg().CurrentSize; }));
    EXPECT_EQ(c.size, h.Settings().Size);
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_EQ(ExpectedHeight(c.size), font.lfHeight);
    EXPECT_LE(font.lfHeight, 0) << "never a wrapped, positive height";
}

INSTANTIATE_TEST_SUITE_P(, TypedSizeTest,
                         testing::Values(TypedSize{"Plain", "14", 14}, TypedSize{"LeadingSpaces", "   18", 18},
                                         TypedSize{"TrailingLetters", "22pt", 22}, TypedSize{"Empty", "", 0},
                                         TypedSize{"Letters", "abc", 0}, TypedSize{"Negative", "-14", -14},
                                         TypedSize{"BelowTheSpinRange", "2", 2},
                                         TypedSize{"AboveTheSpinRange", "300", 300},
                                         TypedSize{"Overflow", "99999999999", INT_MAX},
                                         TypedSize{"FarOverflow", "99999999999999999999999999", INT_MAX},
                                         TypedSize{"NegativeOverflow", "-99999999999", INT_MIN},
                                         TypedSize{"ProductOverflow", "30000000", 30000000}),
                         [](const testing::TestParamInfo<TypedSize>& info) { return info.param.caseName; });

TEST(SizePresets, EachPresetSetsTheFieldTheSizeAndTheFont)
{
    ViewerHarness h(SettingsWith("tsfx alpha", 13));
    ASSERT_TRUE(h.Started());
    const int presets[] = {8, 10, 12, 14, 20, 24, 36, 48, 60, 72};
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(presets[i]);
        h.Run([&] { h.Dlg().SelectSizePreset(i); });
        EXPECT_EQ(std::to_string(presets[i]), ItemText(h.Item(IDC_SIZE_FIELD)));
        EXPECT_EQ(presets[i], h.Get<int>([&] { return h.Dlg().CurrentSize; }));
        EXPECT_EQ(presets[i], h.Settings().Size);
        LOGFONTA font;
        ASSERT_TRUE(SampleBoxFont(h, &font));
        EXPECT_EQ(ExpectedHeight(presets[i]), font.lfHeight);
    }
}

TEST(SizePresets, ThePresetOfTheCurrentSizeStillRebuilds)
{
    ViewerHarness h(SettingsWith("tsfx alpha", 12));
    ASSERT_TRUE(h.Started());
    HFONT before = SampleBoxFontHandle(h);
    h.Run([&] { h.Dlg().SelectSizePreset(2); });
    EXPECT_NE(before, SampleBoxFontHandle(h)) << "a new font was built";
    EXPECT_EQ(12, h.Settings().Size);
}

TEST(ToggleAttribute, FlipsTheBoxAndRebuildsWithoutStoring)
{
    ViewerHarness h(SettingsWith("tsfx alpha", 12));
    ASSERT_TRUE(h.Started());
    for (int id : {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_STRIKEOUT}) {
        SCOPED_TRACE(id);
        h.Run([&] { h.Dlg().ToggleAttribute(id); });
        EXPECT_EQ(BST_CHECKED, SendMessageA(h.Item(id), BM_GETCHECK, 0, 0));
        h.Run([&] { h.Dlg().ToggleAttribute(id); });
        EXPECT_EQ(BST_UNCHECKED, SendMessageA(h.Item(id), BM_GETCHECK, 0, 0));
    }
    h.Run([&] { h.Dlg().ToggleAttribute(IDC_BOLD); });
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_EQ(400, font.lfWeight);
    EXPECT_EQ(0, h.Settings().Bold) << "the click handling that follows stores it and rebuilds";
}

TEST(SampleBoxFont, TheBoxNeverHoldsAReleasedFont)
{
    ViewerHarness h(SettingsWith("tsfx alpha", 12));
    ASSERT_TRUE(h.Started());
    const struct {
        const char* step;
        std::function<void()> act;
    } steps[] = {
        {"start-up", [] {}},
        {"bold click", [&] { h.Click(IDC_BOLD); }},
        {"italic click", [&] { h.Click(IDC_ITALIC); }},
        {"typed size", [&] { SetWindowTextA(h.Item(IDC_SIZE_FIELD), "16"); }},
        {"preset", [&] { h.Run([&] { h.Dlg().SelectSizePreset(0); }); }},
        {"picked face", [&] { h.PickFace(0); }},
        {"empty list", [&] { h.Run([&] { h.Dlg().FontList.ResetContent(); h.Dlg().RebuildPreviewFont(); }); }},
        {"again without a face", [&] { h.Click(IDC_UNDERLINE); }},
        {"list back", [&] {
             h.Run([&] {
                 h.Dlg().FillFontList();
                 h.Dlg().RebuildPreviewFont();
             });
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.act();
        EXPECT_TRUE(SampleBoxFontIsLiveOrNone(h));
        h.Run([&] {
            const CFont* preview = h.Dlg().PreviewFont;
            HFONT held = reinterpret_cast<HFONT>(SendMessageA(h.Dlg().SampleBox.m_hWnd, WM_GETFONT, 0, 0));
            EXPECT_EQ(preview ? preview->GetSafeHandle() : nullptr, held) << "the box draws with the preview font";
        });
    }
}

// Under Wine the edit control can fault laying its text out in a new font, and the fault
// is caught beyond the window's code. The box must go on with the last good font, the
// controls and settings must name that font, and no font may be left behind.
WNDPROC g_boxProc = nullptr;
bool g_faultNextFont = false;
wchar_t g_faultOnCharacter = 0;
int g_fontsHanded = 0;

LRESULT CALLBACK FaultingBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcW(g_boxProc, box, message, wParam, lParam);
    g_fontsHanded += message == WM_SETFONT;
    if ((message == WM_SETFONT && g_faultNextFont) || (message == WM_CHAR && wParam == g_faultOnCharacter)) {
        g_faultNextFont = false;
        *static_cast<volatile int*>(nullptr) = 0;  // taken the font or the key, then faults
    }
    return result;
}

bool Faulting(HWND box) { return GetWindowLongPtrW(box, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&FaultingBoxProc); }

void FaultingBox(ViewerHarness& h)
{
    if (Faulting(h.Item(IDC_SAMPLE_BOX))) return;
    g_boxProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h.Item(IDC_SAMPLE_BOX), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FaultingBoxProc)));
}

TEST(SampleBoxFont, AFontTheBoxFaultsOnIsRefusedAndTheLastGoodOneStays)
{
    ProgramFonts fonts;
    ASSERT_TRUE(fonts.Watching());
    {
        ViewerHarness h(SettingsWith("tsfx alpha", 12));
        ASSERT_TRUE(h.Started());
        h.Command(ID_SIZE_14);
        const LOGFONTA good = SampleBoxFont(h);
        FaultingBox(h);
        g_faultNextFont = true;
        h.Click(IDC_BOLD);
        ASSERT_FALSE(g_faultNextFont) << "the box was not handed a font";
        EXPECT_FALSE(Faulting(h.Item(IDC_SAMPLE_BOX))) << "a whole box made anew";
        EXPECT_EQ(good.lfWeight, SampleBoxFont(h).lfWeight) << "the box shows the last good font";
        EXPECT_EQ(BST_UNCHECKED, SendMessageA(h.Item(IDC_BOLD), BM_GETCHECK, 0, 0));
        EXPECT_EQ(0, h.Settings().Bold);
        EXPECT_EQ(1u, fonts.Live());
        // The next change goes through, and one faulting just before the end goes with the window.
        h.Click(IDC_ITALIC);
        EXPECT_TRUE(SampleBoxFont(h).lfItalic);
        EXPECT_EQ(1u, fonts.Live());
        FaultingBox(h);  // the box was made anew
        g_faultNextFont = true;
        h.Click(IDC_UNDERLINE);
        SetWindowLongPtrW(h.Item(IDC_SAMPLE_BOX), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_boxProc));
        EXPECT_TRUE(SampleBoxFontIsLiveOrNone(h));
    }
    EXPECT_EQ(0u, fonts.Live());
}

TEST(SampleBoxFont, TheMenuToggleHandsTheBoxOneFont)
{
    ViewerHarness h(SettingsWith("tsfx alpha", 12));
    ASSERT_TRUE(h.Started());
    FaultingBox(h);
    g_fontsHanded = 0;
    h.Command(ID_EDIT_BOLD);
    EXPECT_EQ(1, g_fontsHanded);
    EXPECT_EQ(700, SampleBoxFont(h).lfWeight);
    EXPECT_EQ(1, h.Settings().Bold);
}

// Under Wine the dispatch of a key the box faults on would end the program: the key goes in
// as a sent message, and a fault brings back a whole box with the text before it.
TEST(SampleBoxFont, AKeyTheBoxFaultsOnLeavesAWholeBoxWithTheTextBeforeAndTheFontShown)
{
    ViewerHarness h(SettingsWith("tsfx alpha", 12));
    ASSERT_TRUE(h.Started());
    SetWindowTextW(h.Item(IDC_SAMPLE_BOX), L"abc");
    SendMessageW(h.Item(IDC_SAMPLE_BOX), EM_SETSEL, 3, 3);
    FaultingBox(h);
    g_faultOnCharacter = L'1';
    for (wchar_t c : {L'.', L'1'}) PostMessageW(h.Item(IDC_SAMPLE_BOX), WM_CHAR, c, 1);
    h.Drain();
    HWND box = h.Item(IDC_SAMPLE_BOX);
    EXPECT_EQ(L"abc.", WideWindowText(box));
    EXPECT_FALSE(Faulting(box)) << "a whole box made anew";
    EXPECT_STREQ("Tsfx Alpha", SampleBoxFont(h).lfFaceName);
    EXPECT_TRUE(SampleBoxFontIsLiveOrNone(h));
    PostMessageW(box, WM_CHAR, L'x', 1);
    h.Drain();
    EXPECT_EQ(L"abc.x", WideWindowText(box));
}

}  // namespace
