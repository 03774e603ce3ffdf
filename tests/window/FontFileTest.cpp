// Font files opened for this run, dropped on the window as the shell drops them. The drop is
// made in-process: under Wine a global block posted to another process arrives empty there,
// so the end-to-end tests open a file through the menu instead.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "FixtureFonts.h"
#include "res/resource.h"
#include "support/DialogAnswer.h"
#include "support/FileDialog.h"
#include "support/FileDrop.h"
#include "support/Files.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"

namespace {

std::wstring FileFont(const char* name) { return DecodedText(ExecutableFolder() + "file-fonts\\" + name, CP_ACP); }

std::string Selected(HWND list)
{
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    char face[256] = "";
    if (selected >= 0 && SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0) < 256)
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(face));
    return face;
}

int CALLBACK Found(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Whether the platform lists a face of this name to this process.
bool Listed(const char* face)
{
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, Found, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

TEST(FontFile, DroppedFilesOpenAsFontAndSampleTextForTheWindowsLifeOnly)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File("dropped.txt"), "dropped text"));
    {
        ViewerHarness h(SettingsWith("Tsfx Alpha", 12));
        ASSERT_TRUE(h.Started());
        HGLOBAL drop = MakeFileDrop({DecodedText(folder.File("dropped.txt"), CP_ACP), FileFont("tsfx-pair.ttc")});
        ASSERT_TRUE(drop);
        h.Send(WM_DROPFILES, reinterpret_cast<WPARAM>(drop));
        EXPECT_EQ("Tsfx Pair One", Selected(h.Item(IDC_FONT_LIST)));
        EXPECT_NE(LB_ERR, SendMessageA(h.Item(IDC_FONT_LIST), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>("Tsfx Pair Two")));
        EXPECT_EQ("dropped text\r\n", WindowText(h.Item(IDC_SAMPLE_BOX)));
        h.PickFace(static_cast<int>(SendMessageA(h.Item(IDC_FONT_LIST), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>("Tsfx Pair Two"))));
        EXPECT_EQ("Tsfx Pair Two", Selected(h.Item(IDC_FONT_LIST)));
        EXPECT_STREQ("Tsfx Alpha", h.Settings().Name) << "the settings keep the installed face";
        EXPECT_TRUE(Listed("Tsfx Pair Two"));
    }
    EXPECT_FALSE(Listed("Tsfx Pair One")) << "removed when the window ended";
    EXPECT_FALSE(Listed("Tsfx Pair Two"));
}

// Each bad file names itself and the reason in a message, and the list, the preview and
// the settings stay as they were.
TEST(FontFile, ABadFileSaysWhyAndChangesNothing)
{
    ASSERT_EQ(kFixtureFaceCount, RegisteredFixtureFonts()) << "Tsfx Alpha stands for an installed face";
    ViewerHarness h(SettingsWith("Tsfx Alpha", 12));
    ASSERT_TRUE(h.Started());
    h.Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeFileDrop({FileFont("tsfx-file.ttf")})));
    ASSERT_EQ("Tsfx File", Selected(h.Item(IDC_FONT_LIST)));
    struct Case {
        std::wstring path;
        const char* reason;
    } cases[] = {
        {FileFont("not-a-font.ttf"), "not a TrueType"},
        {FileFont("tsfx-cut.ttf"), "cut short"},
        {FileFont("tsfx-file.ttf"), "Tsfx File is open already"},
        {DecodedText(ExecutableFolder() + "fixture-fonts\\tsfx-alpha.ttf", CP_ACP), "Tsfx Alpha has the name of an installed face"},
        {FileFont("absent.ttf"), ""},
        {FileFont("picture.png"), "was not opened"},
    };
    const int count = static_cast<int>(SendMessageA(h.Item(IDC_FONT_LIST), LB_GETCOUNT, 0, 0));
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(h.Item(IDC_SAMPLE_BOX), WM_GETFONT, 0, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        h.Post(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeFileDrop({c.path})));
        HWND message = WaitForFileDialog(h.ThreadId(), h.Hwnd());
        ASSERT_TRUE(message);
        const std::wstring text = DecodedText(MessageBoxText(message), CP_ACP);
        EXPECT_NE(std::wstring::npos, text.find(c.path)) << MessageBoxText(message);
        EXPECT_NE(std::string::npos, MessageBoxText(message).find(c.reason)) << MessageBoxText(message);
        PressDialogButton(message, IDOK);
        ASSERT_TRUE(WaitForWindowGone(message));
        h.Drain();
        EXPECT_EQ(count, SendMessageA(h.Item(IDC_FONT_LIST), LB_GETCOUNT, 0, 0));
        EXPECT_EQ("Tsfx File", Selected(h.Item(IDC_FONT_LIST)));
        EXPECT_EQ(font, reinterpret_cast<HFONT>(SendMessageA(h.Item(IDC_SAMPLE_BOX), WM_GETFONT, 0, 0)));
        EXPECT_STREQ("Tsfx Alpha", h.Settings().Name);
    }
}

}  // namespace
