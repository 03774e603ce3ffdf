// Open Text File: the platform's file dialog, answered from the test's thread.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "support/DialogAnswer.h"
#include "support/FileDialog.h"
#include "support/Files.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"

namespace {

class OpenTextFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteFileA((ExecutableFolder() + "sample.txt").c_str());
        ASSERT_TRUE(h.Started());
        SetWindowTextA(h.Item(IDC_SAMPLE_BOX), "unchanged");
    }
    void TearDown() override
    {
        // A test that failed halfway leaves no dialog for the window's end to trip over.
        if (HWND dialog = FileDialog()) Answer(dialog, IDCANCEL);
        DeleteFileA((ExecutableFolder() + "sample.txt").c_str());
    }

    HWND FileDialog() { return FindFileDialog(h.ThreadId(), h.Hwnd()); }
    // Opens the dialog through the command, as the menu and the toolbar do.
    HWND OpenDialog()
    {
        h.PostCommand(ID_FILE_OPEN_TEXT);
        return WaitForFileDialog(h.ThreadId(), h.Hwnd());
    }
    // Answers the dialog and waits until it has gone.
    void Answer(HWND dialog, int button) { EXPECT_TRUE(AnswerFileDialog(dialog, button)) << "the dialog stayed open"; }
    std::string BoxText() { return WindowText(h.Item(IDC_SAMPLE_BOX)); }

    ViewerHarness h;
    TempFolder folder{"typoscope-open"};
};

TEST_F(OpenTextFile, OkWithAPathLoadsTheFile)
{
    ASSERT_TRUE(WriteFileBytes(folder.File("chosen.txt"), "first\nsecond"));
    HWND dialog = OpenDialog();
    ASSERT_TRUE(dialog);
    const std::vector<std::string> types = {"Text Files (*.txt)", "All Files (*.*)"};
    EXPECT_EQ(types, FileTypes(dialog));
    // No flags: the platform shows its read-only check box, which nothing reads.
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 0x410)));
    HWND edit = FileNameEdit(dialog);
    ASSERT_TRUE(edit);
    EXPECT_EQ("", WindowText(edit)) << "no initial file name";
    SetWindowTextA(edit, folder.File("chosen.txt").c_str());
    Answer(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return BoxText() == "first\r\nsecond\r\n"; })) << BoxText();
}

TEST_F(OpenTextFile, AUtf16FileShowsItsCharacters)
{
    ASSERT_TRUE(WriteFileBytes(folder.File("wide.txt"), std::string("\xFF\xFE\xB1\x03\x16\x04\xE5\x65\n\0", 10)));
    HWND dialog = OpenDialog();
    ASSERT_TRUE(ChooseFile(dialog, folder.File("wide.txt")));
    EXPECT_TRUE(WaitUntil([&] { return WideWindowText(h.Item(IDC_SAMPLE_BOX)) == L"\x03B1\x0416\x65E5\r\n"; }));
}

TEST_F(OpenTextFile, ANameWithoutExtensionGetsTxt)
{
    ASSERT_TRUE(WriteFileBytes(folder.File("plain.txt"), "from plain.txt\r\n"));
    HWND dialog = OpenDialog();
    ASSERT_TRUE(dialog);
    SetWindowTextA(FileNameEdit(dialog), folder.File("plain").c_str());
    Answer(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return BoxText() == "from plain.txt\r\n"; })) << BoxText();
}

TEST_F(OpenTextFile, CancelChangesNothing)
{
    ASSERT_TRUE(WriteFileBytes(folder.File("chosen.txt"), "never loaded"));
    HWND dialog = OpenDialog();
    ASSERT_TRUE(dialog);
    SetWindowTextA(FileNameEdit(dialog), folder.File("chosen.txt").c_str());
    Answer(dialog, IDCANCEL);
    // The command has returned once the window answers again.
    EXPECT_EQ("unchanged", BoxText());
    EXPECT_EQ("unchanged", h.Get<std::string>([&] { return WindowText(h.Item(IDC_SAMPLE_BOX)); }));
}

// The user is told which file could not be shown and why; the box stays as it was.
TEST_F(OpenTextFile, AFileThatCannotBeReadSaysWhyAndChangesNothing)
{
    ASSERT_TRUE(WriteFileBytes(folder.File("held.txt"), "held by a writer"));
    HANDLE held = CreateFileA(folder.File("held.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    for (const char* name : {"absent.txt", "held.txt"}) {
        SCOPED_TRACE(name);
        HWND dialog = OpenDialog();
        ASSERT_TRUE(dialog);
        SetWindowTextA(FileNameEdit(dialog), folder.File(name).c_str());
        Answer(dialog, IDOK);
        HWND message = WaitForFileDialog(h.ThreadId(), h.Hwnd());
        ASSERT_TRUE(message);
        EXPECT_NE(std::string::npos, MessageBoxText(message).find(name)) << MessageBoxText(message);
        PressDialogButton(message, IDOK);
        ASSERT_TRUE(WaitForWindowGone(message));
        EXPECT_EQ("unchanged", h.Get<std::string>([&] { return WindowText(h.Item(IDC_SAMPLE_BOX)); }));
    }
    CloseHandle(held);
}

}  // namespace
