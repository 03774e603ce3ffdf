// Whichever way the main window ends, nothing it made outlives it.
#include <gtest/gtest.h>

#include <memory>

#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"

namespace {

struct Leftovers {
    DWORD fontType = 1;
    BOOL toolbarAlive = TRUE;
};

TEST(WindowEnd, ExitReleasesThePreviewFontAndTheToolbar)
{
    const struct {
        const char* how;
        UINT message;
        WPARAM wParam;
    } endings[] = {{"Exit", WM_COMMAND, ID_FILE_EXIT}, {"Close", WM_CLOSE, 0}};
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.how);
        ViewerHarness h;
        ASSERT_TRUE(h.Started());
        HFONT font = h.Get<HFONT>([&] { return h.Dlg().PreviewFont ? h.Dlg().PreviewFont->GetSafeHandle() : nullptr; });
        ASSERT_NE(nullptr, font);
        ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));
        HWND toolbar = h.Item(IDC_TOOLBAR);
        auto left = std::make_shared<Leftovers>();
        h.AfterDestruction = [left, font, toolbar] {
            left->fontType = GetObjectType(font);
            left->toolbarAlive = toolbar && IsWindow(toolbar);
        };
        h.Post(ending.message, ending.wParam, 0);
        ASSERT_TRUE(h.WaitForEnd());
        EXPECT_EQ(1, h.Result());
        EXPECT_EQ(0u, left->fontType) << "the preview font is deleted";
        EXPECT_FALSE(left->toolbarAlive);
    }
}

// The box never holds a released font, not even for the moment between the close and its end.
TEST(WindowEnd, TheCloseTakesTheFontFromTheBoxBeforeReleasingIt)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HWND box = h.Item(IDC_SAMPLE_BOX);
    ASSERT_NE(0, SendMessageA(box, WM_GETFONT, 0, 0));
    LRESULT held = -1;
    h.Run([&] {
        SendMessageA(h.Hwnd(), WM_CLOSE, 0, 0);
        held = SendMessageA(box, WM_GETFONT, 0, 0);
    });
    ASSERT_TRUE(h.WaitForEnd());
    EXPECT_EQ(0, held);
}

}  // namespace
