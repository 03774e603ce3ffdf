// The sample-text and display-option rows of the command dispatcher, and the Open
// button while the file dialog is on screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "res/resource.h"
#include "support/ModalProbe.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

TEST(ModalButtons, OpenPressesItsButtonWhileTheFileDialogIsOpen)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HWND toolbar = ToolbarOf(h);
    ASSERT_TRUE(toolbar);
    for (LPARAM from : {LPARAM(0), reinterpret_cast<LPARAM>(toolbar)}) {
        SCOPED_TRACE(from ? "from the toolbar" : "from the menu");
        ModalObservation o = ObserveModalCommand(h, WM_COMMAND, ID_FILE_OPEN_TEXT, from, ID_FILE_OPEN_TEXT, "#32770",
                                                 "Open", IDCANCEL);
        EXPECT_TRUE(o.dialogShown);
        EXPECT_EQ(1, o.buttonWhileOpen);
        EXPECT_EQ(0, o.buttonAfter);
    }
}

TEST(Dispatch, WordWrapAndScrollbarRowsFlipTheirStateSettingAndMark)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    struct Row {
        UINT command;
        int CViewerDlg::*state;
        int ViewerSettingsRecord::*setting;
    };
    for (Row row : {Row{ID_EDIT_WORDWRAP, &CViewerDlg::WordWrapState, &ViewerSettingsRecord::Wordwrap},
                    Row{ID_VIEW_SCROLLBAR, &CViewerDlg::ScrollbarState, &ViewerSettingsRecord::Scrollbar}}) {
        SCOPED_TRACE(row.command);
        int start = h.Get<int>([&] { return h.Dlg().*row.state; });
        for (int round = 1; round <= 2; ++round) {
            h.Command(row.command);
            int expected = round == 1 ? 1 - start : start;
            EXPECT_EQ(expected, h.Get<int>([&] { return h.Dlg().*row.state; }));
            EXPECT_EQ(expected, h.Get<int>([&] { return ViewerApp().ViewerSettings.*row.setting; }));
            EXPECT_EQ(expected != 0, MenuItemChecked(h.ActivateMenu(), row.command));
        }
    }
    // The scroll bar row shows and hides the box's vertical bar.
    h.Command(ID_VIEW_SCROLLBAR);
    EXPECT_TRUE(GetWindowLongA(h.Item(IDC_SAMPLE_BOX), GWL_STYLE) & WS_VSCROLL);
    h.Command(ID_VIEW_SCROLLBAR);
    EXPECT_FALSE(GetWindowLongA(h.Item(IDC_SAMPLE_BOX), GWL_STYLE) & WS_VSCROLL);
}

TEST(Dispatch, SampleRowsReplaceTheWholeText)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    h.Command(ID_VIEW_STANDARD_SAMPLE);
    EXPECT_EQ("AaBbCcDdEeFfGgHhIiJjKkLlMm\r\nNnOoPpQqRrSsTtUuVvWwXxYyZz\r\n1234567890\r\n!@#$%^&*()_+-=\r\n"
              "[]{};:'\"<>,.\\|`~",
              WindowText(h.Item(IDC_SAMPLE_BOX)));

    h.Command(ID_VIEW_ASCII_SAMPLE);
    std::string expected;
    for (int c = 32; c <= 255; ++c) expected += static_cast<char>(c);
    EXPECT_EQ(expected, WindowText(h.Item(IDC_SAMPLE_BOX)));
}

}  // namespace
