// Text files of every awkward kind loaded into the live window: what loads is the
// file's text, nothing hangs, and the box draws again afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/WindowProbe.h"
#include "res/resource.h"
#include "support/FileDialog.h"
#include "support/Files.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"

namespace {

// Drawing of the box is not left suspended: its redraw flag is on and no window holds the update lock.
void ExpectDrawingResumed(HWND box)
{
    EXPECT_TRUE(GetWindowLongA(box, GWL_STYLE) & WS_VISIBLE) << "WM_SETREDRAW left off";
    BOOL lockFree = LockWindowUpdate(box);
    EXPECT_TRUE(lockFree) << "LockWindowUpdate still held";
    if (lockFree) LockWindowUpdate(nullptr);
}

bool Answers(HWND hWnd, UINT timeoutMs = 5000)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

class TextFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteFileA((ExecutableFolder() + "sample.txt").c_str());
        ASSERT_TRUE(h.Started());
        SetWindowTextA(Box(), "unchanged");
    }
    void TearDown() override
    {
        if (HWND dialog = FindFileDialog(h.ThreadId(), h.Hwnd())) AnswerFileDialog(dialog, IDCANCEL);
    }

    HWND Box() const { return h.Item(IDC_SAMPLE_BOX); }
    bool Load(const std::string& path) { return h.Get<bool>([&] { return h.Dlg().LoadTextFile(path.c_str()); }); }
    // Writes the bytes to a file and loads it; the box's text afterwards.
    std::string Loaded(const std::string& bytes)
    {
        const std::string path = folder.File("case.txt");
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        EXPECT_TRUE(Load(path));
        return WindowText(Box());
    }

    ViewerHarness h;
    TempFolder folder{"typoscope-textfiles"};
};

TEST_F(TextFiles, EveryKindOfLineEndGivesTheFilesLines)
{
    EXPECT_EQ("one\r\ntwo\r\nthree\r\n", Loaded("one\rtwo\rthree\r"));        // CR only
    EXPECT_EQ("one\r\ntwo\r\nthree\r\n", Loaded("one\ntwo\nthree"));          // LF only
    EXPECT_EQ("a\r\nb\r\nc\r\n\r\nd\r\n", Loaded("a\r\nb\rc\n\rd"));           // mixed
    EXPECT_EQ("a\r\n\r\nb\r\n", Loaded("a\r\rb"));                          // an empty line between CRs
    EXPECT_EQ(std::string("x\r\n\x1A" "y\r\n"), Loaded("x\r\x1A" "y"));     // 0x1A is text
    EXPECT_EQ("kept\r\nnext\r\n", Loaded(std::string("kept\0dropped\rnext", 17)));  // a NUL ends its line
    // As lines of the box: three, and the empty one after the last line break.
    Loaded("one\rtwo\rthree\r");
    EXPECT_EQ(4, SendMessageA(Box(), EM_GETLINECOUNT, 0, 0));
    ExpectDrawingResumed(Box());
}

TEST_F(TextFiles, AUtf8ByteOrderMarkIsNotTextAndTheCharactersShow)
{
    EXPECT_EQ("plain\r\n", Loaded("\xEF\xBB\xBFplain\n"));
    EXPECT_EQ("", Loaded("\xEF\xBB\xBF"));
    if (GetACP() == 1252) {
        EXPECT_EQ("caf\xE9\r\n", Loaded("\xEF\xBB\xBF" "caf\xC3\xA9\r\n"));
    }
    // Without the mark, UTF-8 shows its characters all the same; bytes that are not
    // UTF-8 are the system code page's characters, as they stand.
    Loaded("caf\xC3\xA9\r\n");
    EXPECT_TRUE(L"caf\x00E9\r\n" == WideWindowText(Box()));
    EXPECT_EQ("caf\xC3\r\n", Loaded("caf\xC3\r\n"));
    ExpectDrawingResumed(Box());
}

// Unwrapped, as the box starts. (Wine's edit control wraps a paragraph in time that
// grows with the square of its length: minutes for one this long, the program's code
// or not; so wrapping is not part of this test.)
TEST_F(TextFiles, LinesOfAHundredThousandCharactersStayWhole)
{
    const std::string line(100000, 'm');
    const std::string text = line + "\r\n" + std::string(100000, 'n') + "\r\n" + line + "\r\n";
    EXPECT_TRUE(text == Loaded(text));
    EXPECT_EQ(4, SendMessageA(Box(), EM_GETLINECOUNT, 0, 0));
    EXPECT_EQ(100000, SendMessageA(Box(), EM_LINELENGTH, SendMessageA(Box(), EM_LINEINDEX, 1, 0), 0));
    ExpectDrawingResumed(Box());
    // A size change lays the lines out again at once.
    h.Command(ID_SIZE_72);
    EXPECT_TRUE(Answers(h.Hwnd()));
    EXPECT_TRUE(text == WindowText(Box()));
}

TEST_F(TextFiles, AFolderIsNotLoaded)
{
    EXPECT_FALSE(Load(folder.Path()));
    CreateDirectoryA(folder.File("folder.txt").c_str(), nullptr);
    EXPECT_FALSE(Load(folder.File("folder.txt")));
    EXPECT_EQ("unchanged", WindowText(Box()));
    ExpectDrawingResumed(Box());
}

TEST_F(TextFiles, AFileRemovedBetweenTheDialogAndTheLoadChangesNothing)
{
    const std::string path = folder.File("goes-away.txt");
    ASSERT_TRUE(WriteFileBytes(path, "never shown\r\n"));
    h.PostCommand(ID_FILE_OPEN_TEXT);
    HWND dialog = WaitForFileDialog(h.ThreadId(), h.Hwnd());
    ASSERT_TRUE(dialog);
    SetWindowTextA(FileNameEdit(dialog), path.c_str());
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    EXPECT_TRUE(AnswerFileDialog(dialog, IDOK));
    EXPECT_TRUE(Answers(h.Hwnd()));
    EXPECT_EQ("unchanged", h.Get<std::string>([&] { return WindowText(Box()); }));
    ExpectDrawingResumed(Box());
}

// 64 MB of 80-character lines, through Open Text File as a user would load them.
TEST_F(TextFiles, SixtyFourMegabytesLoadWhole)
{
    std::string text;
    text.reserve((64u << 20) + 100);
    for (unsigned line = 0; text.size() < (64u << 20); ++line) {
        char number[16];
        wsprintfA(number, "%08u", line);
        text += number;
        text.append(70, static_cast<char>('a' + line % 26));
        text += "\r\n";
    }
    const std::string path = folder.File("sixty-four.txt");
    ASSERT_TRUE(WriteFileBytes(path, text));
    h.PostCommand(ID_FILE_OPEN_TEXT);
    ASSERT_TRUE(ChooseFile(WaitForFileDialog(h.ThreadId(), h.Hwnd()), path));
    EXPECT_TRUE(Answers(h.Hwnd(), 300000)) << "no answer after loading 64 MB";
    EXPECT_EQ(static_cast<LRESULT>(text.size()), SendMessageA(Box(), WM_GETTEXTLENGTH, 0, 0));
    EXPECT_TRUE(text == WindowText(Box())) << "the box does not hold the file's text";
    EXPECT_EQ(static_cast<LRESULT>(text.size() / 80 + 1), SendMessageA(Box(), EM_GETLINECOUNT, 0, 0));
    ExpectDrawingResumed(Box());
    // The box still takes typing at its end.
    SendMessageA(Box(), WM_CHAR, 'Z', 1);
    EXPECT_EQ(static_cast<LRESULT>(text.size() + 1), SendMessageA(Box(), WM_GETTEXTLENGTH, 0, 0));
    SetWindowTextA(Box(), "");
}

}  // namespace
