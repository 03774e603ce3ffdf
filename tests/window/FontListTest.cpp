// The installed font list and the remembered face, with fixture faces of known names.
#include <gtest/gtest.h>

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

}  // namespace
