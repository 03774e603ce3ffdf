// Sizes typed at and beyond the 32-bit limits, a list with no fonts, and faces whose
// font cannot be made: the window stays answering and never draws with a dead font.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "res/resource.h"
#include "support/AllocationFaults.h"
#include "support/GuiObjects.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

const int kAnswerMs = 5000;

// The 224 characters 32 to 255: the most glyphs a built-in sample makes the box measure.
std::string CharacterSet()
{
    std::string text;
    for (int c = 32; c <= 255; ++c) text += static_cast<char>(c);
    return text;
}

bool Answers(HWND hWnd)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result) != 0;
}

// Repaints the whole window now; the milliseconds it took.
DWORD RepaintMs(HWND hWnd)
{
    DWORD start = GetTickCount();
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return GetTickCount() - start;
}

struct LimitSize {
    const char* caseName;
    const char* text;
    long long size;
};

class TypedLimitSize : public testing::TestWithParam<LimitSize> {};

TEST_P(TypedLimitSize, KeepsTheSizeCapsTheHeightAndAnswersAtOnce)
{
    const LimitSize& c = GetParam();
    ViewerHarness h(SettingsWith("DejaVu Sans", 12));
    ASSERT_TRUE(h.Started());
    SetWindowTextA(h.Item(IDC_SAMPLE_BOX), CharacterSet().c_str());

    DWORD start = GetTickCount();
    SetWindowTextA(h.Item(IDC_SIZE_FIELD), c.text);
    DWORD elapsed = (GetTickCount() - start) + RepaintMs(h.Hwnd());
    EXPECT_LT(elapsed, static_cast<DWORD>(kAnswerMs)) << "the window froze for " << elapsed << " ms";
    EXPECT_TRUE(Answers(h.Hwnd()));

    EXPECT_EQ(c.size, h.Get<int>([&] { return h.Dlg().CurrentSize; })) << "the typed size itself is kept";
    EXPECT_EQ(c.size, h.Settings().Size);
    EXPECT_EQ(c.text, WindowText(h.Item(IDC_SIZE_FIELD))) << "the field keeps what was typed";
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_EQ(ExpectedHeight(c.size), font.lfHeight);
    EXPECT_EQ(CharacterSet(), WindowText(h.Item(IDC_SAMPLE_BOX)));
}

INSTANTIATE_TEST_SUITE_P(
    , TypedLimitSize,
    testing::Values(LimitSize{"IntMax", "2147483647", INT_MAX}, LimitSize{"IntMaxPlusOne", "2147483648", INT_MAX},
                    LimitSize{"IntMin", "-2147483648", INT_MIN}, LimitSize{"IntMinMinusOne", "-2147483649", INT_MIN},
                    LimitSize{"UnsignedWrap", "4294967296", INT_MAX},
                    LimitSize{"TwentyDigits", "99999999999999999999", INT_MAX},
                    LimitSize{"JustAboveTheCap", "769", 769}, LimitSize{"HugeButSane", "3000", 3000},
                    LimitSize{"MinusZero", "-0", 0}),
    [](const testing::TestParamInfo<LimitSize>& info) { return info.param.caseName; });

TEST(StoredLimitSize, StartsWithTheStoredSizeAndACappedFont)
{
    for (int size : {INT_MAX, INT_MIN, -1, 0}) {
        SCOPED_TRACE(size);
        DWORD start = GetTickCount();
        ViewerHarness h(SettingsWith("DejaVu Sans", size));
        ASSERT_TRUE(h.Started());
        EXPECT_LT(GetTickCount() - start, static_cast<DWORD>(2 * kAnswerMs));
        EXPECT_EQ(std::to_string(size), WindowText(h.Item(IDC_SIZE_FIELD)));
        EXPECT_EQ(size, h.Get<int>([&] { return h.Dlg().CurrentSize; }));
        LOGFONTA font;
        ASSERT_TRUE(SampleBoxFont(h, &font));
        EXPECT_EQ(ExpectedHeight(size), font.lfHeight);
        // The arrows start from wherever the field stands and the window still answers.
        SendMessageA(h.Item(IDC_SIZE_SPIN), WM_KEYDOWN, VK_UP, 0);
        EXPECT_TRUE(Answers(h.Hwnd()));
    }
}

// Every command and control change that needs no dialog, as the user gives them.
void EveryChange(const ViewerHarness& h)
{
    for (int id : {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_STRIKEOUT}) h.Click(id);
    for (UINT id = ID_SIZE_8; id <= ID_SIZE_72; ++id) h.Command(id);
    for (UINT id : {ID_EDIT_BOLD, ID_EDIT_ITALIC, ID_EDIT_UNDERLINE, ID_EDIT_STRIKEOUT, ID_EDIT_WORDWRAP,
                    ID_VIEW_SCROLLBAR, ID_VIEW_STANDARD_SAMPLE, ID_VIEW_ASCII_SAMPLE, ID_EDIT_WORDWRAP})
        h.Command(id);
    SetWindowTextA(h.Item(IDC_SIZE_FIELD), "2147483647");
    SetWindowTextA(h.Item(IDC_SIZE_FIELD), "17");
    SendMessageA(h.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FONT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h.Item(IDC_FONT_LIST)));
    h.ActivateMenu();
}

TEST(NoFonts, EveryChangeBuildsNoFontAndTheWindowGoesOnWorking)
{
    ViewerHarness h(SettingsWith("DejaVu Sans", 12));
    ASSERT_TRUE(h.Started());
    // As if the enumeration had reported nothing.
    h.Run([&] {
        h.Dlg().FontList.ResetContent();
        h.Dlg().RebuildPreviewFont();
    });
    EveryChange(h);
    EXPECT_EQ(0, SendMessageA(h.Item(IDC_FONT_LIST), LB_GETCOUNT, 0, 0));
    EXPECT_EQ(nullptr, SampleBoxFontHandle(h)) << "no face, so no font of ours";
    EXPECT_FALSE(h.Get<bool>([&] {
        const CFont* preview = h.Dlg().PreviewFont;
        return preview && preview->GetSafeHandle();
    }));
    EXPECT_STREQ("DejaVu Sans", h.Settings().Name) << "the remembered face is not lost";
    EXPECT_EQ(17, h.Settings().Size);
    EXPECT_LT(RepaintMs(h.Hwnd()), static_cast<DWORD>(kAnswerMs));
    EXPECT_TRUE(Answers(h.Hwnd()));

    // Refresh finds the fonts again and previews the remembered face.
    h.Command(ID_VIEW_REFRESH);
    EXPECT_GT(SendMessageA(h.Item(IDC_FONT_LIST), LB_GETCOUNT, 0, 0), 0);
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_STREQ(SelectedFace(h).c_str(), font.lfFaceName);
}

// Memory running out while the platform reports the faces: the exception must not
// unwind through the enumeration (the 32-bit runtime cannot, and ends the process),
// and the list keeps what was gathered, draws again and goes on working.
TEST(NoFonts, AnAllocationFailureMidwayListsTheFacesGatheredSoFar)
{
    ViewerHarness h(SettingsWith("DejaVu Sans", 12));
    ASSERT_TRUE(h.Started());
    HWND list = h.Item(IDC_FONT_LIST);
    int allFaces = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    int gdiObjects = h.Get<int>([] { return GdiObjectCount(); });

    h.Run([&] {
        FailOneAllocationAfter(40);
        SendMessageA(h.Hwnd(), WM_COMMAND, ID_VIEW_REFRESH, 0);
        CancelAllocationFailure();
    });
    int gathered = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_GT(gathered, 0);
    EXPECT_LT(gathered, allFaces) << "the enumeration ended at the failure";
    EXPECT_TRUE(IsWindowVisible(list)) << "the list draws again";
    EXPECT_EQ(gdiObjects, h.Get<int>([] { return GdiObjectCount(); })) << "the display context is released";
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_STREQ(SelectedFace(h).c_str(), font.lfFaceName);

    // The next refresh lists every face again.
    h.Command(ID_VIEW_REFRESH);
    EXPECT_EQ(allFaces, SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_TRUE(Answers(h.Hwnd()));
}

struct BadFace {
    const char* caseName;
    std::string face;
};

class UnmakeableFace : public testing::TestWithParam<BadFace> {};

TEST_P(UnmakeableFace, PickingItLeavesNoDeadFontAndTheWindowWorks)
{
    const BadFace& c = GetParam();
    ViewerHarness h(SettingsWith("DejaVu Sans", 12));
    ASSERT_TRUE(h.Started());
    // A face name longer than any font can carry: no font can be made for it.
    int index = static_cast<int>(SendMessageA(h.Item(IDC_FONT_LIST), LB_ADDSTRING, 0,
                                              reinterpret_cast<LPARAM>(c.face.c_str())));
    ASSERT_GE(index, 0);
    h.PickFace(index);
    EXPECT_TRUE(SampleBoxFontIsLiveOrNone(h));
    // Refused: the last good face comes back, in the list and in the settings.
    EXPECT_EQ("DejaVu Sans", SelectedFace(h));
    EXPECT_EQ(std::string("DejaVu Sans"), h.Settings().Name);
    EveryChange(h);
    EXPECT_TRUE(SampleBoxFontIsLiveOrNone(h));
    EXPECT_LT(RepaintMs(h.Hwnd()), static_cast<DWORD>(kAnswerMs));
    EXPECT_TRUE(Answers(h.Hwnd()));
    // A real face brings a real font back.
    int dejavu = EntryIndex(h.Item(IDC_FONT_LIST), "DejaVu Sans");
    ASSERT_GE(dejavu, 0);
    h.PickFace(dejavu);
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_STREQ("DejaVu Sans", font.lfFaceName);
}

INSTANTIATE_TEST_SUITE_P(, UnmakeableFace,
                         testing::Values(BadFace{"FortyCharacters", std::string(40, 'q')},
                                         BadFace{"LongerThanTheName", std::string(200, 'q')}),
                         [](const testing::TestParamInfo<BadFace>& info) { return info.param.caseName; });

}  // namespace
