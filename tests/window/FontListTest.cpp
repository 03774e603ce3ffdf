// The installed font list and the remembered face, with fixture faces of known names.
#include <gtest/gtest.h>

#include <string>

#include "FixtureFonts.h"
#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

class FontListTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (RegisteredFixtureFonts() != kFixtureFaceCount) GTEST_FAIL() << "the fixture fonts were not built or not registered";
    }
};

TEST_F(FontListTest, IsSortedAndFreeOfDuplicatesWhateverTheLetterCase)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    std::vector<std::string> entries = ListEntries(h.Item(IDC_FONT_LIST));
    ASSERT_GT(entries.size(), 5u);
    for (size_t i = 0; i + 1 < entries.size(); ++i) {
        EXPECT_LE(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, entries[i].c_str(), -1, entries[i + 1].c_str(), -1),
                  CSTR_EQUAL)
            << entries[i] << " before " << entries[i + 1];
        for (size_t j = i + 1; j < entries.size(); ++j)
            EXPECT_NE(0, lstrcmpiA(entries[i].c_str(), entries[j].c_str())) << entries[i] << " / " << entries[j];
    }
    for (const std::string& entry : entries) EXPECT_LE(entry.size(), 31u) << entry;
}

TEST_F(FontListTest, FacesThatDifferOnlyInLetterCaseAreListedOnceInTheCaseFirstReported)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    int found = 0;
    std::string listed;
    for (const std::string& entry : ListEntries(h.Item(IDC_FONT_LIST))) {
        if (lstrcmpiA(entry.c_str(), "tsfx case") == 0) {
            ++found;
            listed = entry;
        }
    }
    EXPECT_EQ(1, found);
    EXPECT_TRUE(listed == "TSFX CASE" || listed == "Tsfx Case") << listed;
    // Every fixture face is there, in its own letter case.
    for (const char* face : {"Tsfx Alpha", "tsfx beta", "Tsfx Gamma"}) {
        int index = EntryIndex(h.Item(IDC_FONT_LIST), face);
        ASSERT_GE(index, 0) << face;
        EXPECT_EQ(face, ListEntries(h.Item(IDC_FONT_LIST))[static_cast<size_t>(index)]);
    }
}

struct RememberedFace {
    const char* caseName;
    const char* remembered;
    const char* selected;  // null: entry 0
};

class RememberedFaceTest : public FontListTest, public testing::WithParamInterface<RememberedFace> {};

TEST_P(RememberedFaceTest, SelectsTheInstalledFaceOrEntryZeroAndKeepsTheName)
{
    const RememberedFace& c = GetParam();
    ViewerHarness h(SettingsWith(c.remembered, 12));
    ASSERT_TRUE(h.Started());
    HWND list = h.Item(IDC_FONT_LIST);
    std::string expected = c.selected ? c.selected : ListEntries(list).at(0);
    EXPECT_EQ(expected, SelectedFace(h));
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_EQ(expected, font.lfFaceName) << "the preview is built with the selected face";
    EXPECT_STREQ(c.remembered, h.Settings().Name) << "start-up never rewrites the remembered name";
}

INSTANTIATE_TEST_SUITE_P(, RememberedFaceTest,
                         testing::Values(RememberedFace{"SameCase", "Tsfx Gamma", "Tsfx Gamma"},
                                         RememberedFace{"LowerCase", "tsfx alpha", "Tsfx Alpha"},
                                         RememberedFace{"UpperCase", "TSFX BETA", "tsfx beta"},
                                         RememberedFace{"Missing", "No Such Face Here", nullptr},
                                         RememberedFace{"Empty", "", nullptr},
                                         RememberedFace{"Prefix", "Tsfx", nullptr}),
                         [](const testing::TestParamInfo<RememberedFace>& info) { return info.param.caseName; });

TEST_F(FontListTest, PickingAFaceStoresItsNameAndRebuildsWithIt)
{
    ViewerHarness h(SettingsWith("Tsfx Alpha", 20));
    ASSERT_TRUE(h.Started());
    HWND list = h.Item(IDC_FONT_LIST);
    int gamma = EntryIndex(list, "Tsfx Gamma");
    ASSERT_GE(gamma, 0);
    h.PickFace(gamma);
    EXPECT_STREQ("Tsfx Gamma", h.Settings().Name);
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_STREQ("Tsfx Gamma", font.lfFaceName);
    EXPECT_EQ(ExpectedHeight(20), font.lfHeight);
}

TEST_F(FontListTest, AMissingFaceNeverPickedIsKeptThroughTheRun)
{
    ViewerHarness h(SettingsWith("Gone Face", 12));
    ASSERT_TRUE(h.Started());
    h.Click(IDC_BOLD);
    EXPECT_STREQ("Gone Face", h.Settings().Name);
}

TEST_F(FontListTest, AnEmptyListBuildsNoFontAndDoesNotCrash)
{
    ViewerHarness h(SettingsWith("Tsfx Alpha", 12));
    ASSERT_TRUE(h.Started());
    ASSERT_NE(nullptr, SampleBoxFontHandle(h));
    bool previewHasFont = true, previewExists = false;
    h.Run([&] {
        CViewerDlg& dlg = h.Dlg();
        dlg.FontList.ResetContent();
        dlg.SelectFace("Tsfx Alpha");
        dlg.RebuildPreviewFont();
        previewExists = dlg.PreviewFont != nullptr;
        previewHasFont = previewExists && dlg.PreviewFont->GetSafeHandle() != nullptr;
    });
    EXPECT_EQ(LB_ERR, SendMessageA(h.Item(IDC_FONT_LIST), LB_GETCURSEL, 0, 0));
    EXPECT_TRUE(previewExists);
    EXPECT_FALSE(previewHasFont);
    EXPECT_EQ(nullptr, SampleBoxFontHandle(h))
        << "the released font is no longer the box's";
    // The window goes on working: a notification without a selection, a typed size, a repaint.
    SendMessageA(h.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FONT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h.Item(IDC_FONT_LIST)));
    SetWindowTextA(h.Item(IDC_SIZE_FIELD), "30");
    RedrawWindow(h.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(IsWindowVisible(h.Hwnd()));
    EXPECT_STREQ("Tsfx Alpha", h.Settings().Name);

    // Filling the list again brings the face and a font back.
    h.Run([&] {
        CViewerDlg& dlg = h.Dlg();
        dlg.FillFontList();
        dlg.SelectFace(ViewerApp().ViewerSettings.Name);
        dlg.RebuildPreviewFont();
    });
    LOGFONTA font;
    ASSERT_TRUE(SampleBoxFont(h, &font));
    EXPECT_STREQ("Tsfx Alpha", font.lfFaceName);
    EXPECT_EQ(ExpectedHeight(30), font.lfHeight);
}

// How a row of the font list was drawn, read back from the list's pixels: how many are in
// the grey text colour and how many in the list's own text colour.
struct RowInk {
    int grey = 0, text = 0;
};

RowInk DrawnRow(ViewerHarness& h, const char* face)
{
    HWND list = h.Item(IDC_FONT_LIST);
    RowInk ink;
    h.Run([&] {
        int index = EntryIndex(list, face);
        RECT row;
        if (index < 0 || SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row)) == LB_ERR)
            return;
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(list);
        for (int y = row.top; y < row.bottom; ++y)
            for (int x = row.left; x < row.right; ++x) {
                COLORREF pixel = GetPixel(dc, x, y);
                ink.grey += pixel == GetSysColor(COLOR_GRAYTEXT);
                ink.text += pixel == GetSysColor(COLOR_WINDOWTEXT);
            }
        ReleaseDC(list, dc);
    });
    return ink;
}

// The sample text as the user would paste it over the old one.
void PasteSample(ViewerHarness& h, const wchar_t* text)
{
    HWND box = h.Item(IDC_SAMPLE_BOX);
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

void ExpectGrey(ViewerHarness& h, const char* face, bool grey)
{
    RowInk ink = DrawnRow(h, face);
    EXPECT_EQ(grey, ink.grey > 0 && ink.text == 0) << face << ": " << ink.grey << " grey, " << ink.text << " text pixels";
    EXPECT_EQ(!grey, ink.text > 0 && ink.grey == 0) << face << ": " << ink.grey << " grey, " << ink.text << " text pixels";
}

struct SampleMarks {
    const wchar_t* text;
    bool betaGrey, gammaGrey;
};

// Every fixture face holds ASCII; all but "tsfx beta" also hold Greek and Old Italic letters.
const SampleMarks kSampleMarks[] = {
    {L"Tsfx\r\n\tGamma", false, false},        // line breaks and tabs aside
    {L"Tsfx \x3b1\x3b2\x3b3", true, false},    // Greek
    {L"Tsfx \xd800\xdf00", true, false},       // Old Italic, beyond the BMP
    {L"\x65e5\x672c", true, true},             // Japanese: no fixture face
    // Characters that draw nothing: variation selectors, joiners, a zero-width space.
    {L"Tsfx\xfe0f\x200d\x200b\xdb40\xdd00", false, false},
    {L"", false, false},
};

TEST_F(FontListTest, FacesLackingCharactersOfTheSampleAreDrawnGreyAsTheTextChangesAndWhileTheMenuItemIsOn)
{
    ViewerSettingsRecord settings = SettingsWith("Tsfx Alpha", 12);
    settings.MarkMissing = 0;
    ViewerHarness h(settings);
    ASSERT_TRUE(h.Started());
    SendMessageA(h.Item(IDC_FONT_LIST), LB_SETTOPINDEX, static_cast<WPARAM>(EntryIndex(h.Item(IDC_FONT_LIST), "Tsfx Alpha")), 0);
    PasteSample(h, L"\x3b1");
    ExpectGrey(h, "tsfx beta", false);  // the remembered choice: unmarked
    EXPECT_FALSE(MenuItemChecked(h.ActivateMenu(), ID_VIEW_MARK_MISSING));

    h.Command(ID_VIEW_MARK_MISSING);
    EXPECT_EQ(1, h.Settings().MarkMissing);
    EXPECT_TRUE(MenuItemChecked(h.ActivateMenu(), ID_VIEW_MARK_MISSING));
    for (const SampleMarks& c : kSampleMarks) {
        SCOPED_TRACE(testing::Message() << "sample of " << wcslen(c.text) << " UTF-16 units, first " << int(c.text[0]));
        PasteSample(h, c.text);
        ExpectGrey(h, "tsfx beta", c.betaGrey);
        ExpectGrey(h, "Tsfx Gamma", c.gammaGrey);
    }

    // Keys typed into the box one at a time, as the user types them.
    PasteSample(h, L"Tsfx");
    HWND box = h.Item(IDC_SAMPLE_BOX);
    PostMessageW(box, WM_CHAR, 0x3b1, 1);
    h.Drain();
    ExpectGrey(h, "tsfx beta", true);
    PostMessageW(box, WM_CHAR, VK_BACK, 1);
    h.Drain();
    ExpectGrey(h, "tsfx beta", false);
    PostMessageW(box, WM_CHAR, 0x3b1, 1);
    h.Drain();
    h.Command(ID_VIEW_MARK_MISSING);
    ExpectGrey(h, "tsfx beta", false);
    EXPECT_EQ(0, h.Settings().MarkMissing);
}

// Characters typed into the list as the modal loop hands them over, at message times of the test's choosing.
void TypeIntoList(ViewerHarness& h, const char* typed, DWORD time, DWORD gapMs)
{
    h.Run([&] {
        for (const char* c = typed; *c; ++c, time += gapMs) {
            MSG msg = {h.Item(IDC_FONT_LIST), WM_CHAR, static_cast<WPARAM>(*c), 1, time, {0, 0}};
            if (!h.Dlg().PreTranslateMessage(&msg)) DispatchMessageW(&msg);
        }
    });
}

TEST_F(FontListTest, TypingTheFirstLettersOfAFaceQuicklySelectsItAsAClickWouldAndAPauseStartsOver)
{
    ViewerHarness h(SettingsWith("Tsfx Alpha", 12));
    ASSERT_TRUE(h.Started());
    HWND list = h.Item(IDC_FONT_LIST);
    // Typed by the user: the loop's own message times.
    for (char c : std::string("tsfx g")) PostMessageA(list, WM_CHAR, static_cast<WPARAM>(c), 1);
    h.Drain();
    EXPECT_EQ("Tsfx Gamma", SelectedFace(h));
    EXPECT_STREQ("Tsfx Gamma", h.Settings().Name);
    EXPECT_STREQ("Tsfx Gamma", SampleBoxFont(h).lfFaceName);

    // After a pause the letters start a new prefix; without one they would extend the old.
    DWORD later = GetTickCount() + 5000;
    TypeIntoList(h, "tsfx b", later, 100);
    EXPECT_EQ("tsfx beta", SelectedFace(h));
    EXPECT_STREQ("tsfx beta", SampleBoxFont(h).lfFaceName);
    TypeIntoList(h, "tsfx g", later + 500 + 6 * 100, 100);
    EXPECT_EQ("tsfx beta", SelectedFace(h)) << "within the second, \"tsfx btsfx g\" names no face";

    // The same letter again and again steps through the faces that start with it.
    h.PickFace(EntryIndex(list, "Tsfx Alpha"));
    TypeIntoList(h, "tt", later + 10000, 100);
    EXPECT_EQ(EntryIndex(list, "Tsfx Alpha") + 2, SendMessageA(list, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(ListEntries(list)[static_cast<size_t>(EntryIndex(list, "Tsfx Alpha")) + 2], h.Settings().Name);
}

}  // namespace
