// The real program on a disk that fills up and in a folder that cannot be written:
// it ends normally and the old Typoscope.ini and sample.txt stay exactly as they were.
// The two small file systems come from scripts/robustness-disks.sh (run by the tests'
// script where root may mount); without them these cases are skipped.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "support/DialogAnswer.h"
#include "support/FileDialog.h"
#include "support/Files.h"
#include "support/ProgramRun.h"
#include "support/Wait.h"

namespace {

const char kOldSettings[] =
    "[General]\r\nWordwrap=0\r\nScrollbar=0\r\nFirstRun=0\r\n"
    "[Font]\r\nBold=0\r\nItalic=1\r\nUnderline=0\r\nStrikeOut=0\r\nSize=14\r\nName=DejaVu Sans\r\n";
const char kOldSample[] = "The sample text of the last run.\r\n";

std::string RobustnessFolder()
{
    std::string tests = ExecutableFolder();  // build\tests\ -> build\robustness\ .
    return tests.substr(0, tests.find_last_of('\\', tests.size() - 2) + 1) + "robustness\\";
}

bool DisksMounted()
{
    return FileExists(RobustnessFolder() + "mounted");
}

void SetWideText(HWND control, const std::string& text)
{
    std::wstring wide(text.begin(), text.end());
    DWORD_PTR result = 0;
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                        Stretched(20000), &result);
}

int TextLength(HWND control)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, Stretched(20000), &length);
    return static_cast<int>(length);
}

// Writes into `filler` until the disk takes no more, then gives `spare` bytes back.
bool FillDisk(const std::string& filler, long spare)
{
    HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string block(65536, 'f');
    // A file system hands out whole pages: once a page-sized write fails, nothing
    // of ours fits any more.
    for (DWORD chunk : {65536u, 4096u}) {
        DWORD written = 0;
        while (WriteFile(file, block.data(), chunk, &written, nullptr) && written == chunk) {}
    }
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    LARGE_INTEGER end;
    end.QuadPart = size.QuadPart > spare ? size.QuadPart - spare : 0;
    bool ok = spare == 0 || (SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
    return ok && size.QuadPart > 0;
}

int TemporaryFiles(const std::string& folder) { return CountFiles(folder + "*.tmp"); }

struct FullDisk {
    const char* caseName;
    long spare;  // bytes left free once the disk is full
};

class OnAFullDisk : public testing::TestWithParam<FullDisk> {};

TEST_P(OnAFullDisk, TheCloseLosesNeitherTheSampleFileNorTheSettings)
{
    if (!DisksMounted()) GTEST_SKIP() << "no small disk mounted (scripts/robustness-disks.sh needs root)";
    const FullDisk& c = GetParam();
    std::string disk = RobustnessFolder() + "small\\";
    std::string folder = disk + c.caseName + "\\";
    RemoveTree(folder);
    DeleteFileA((disk + "filler").c_str());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(folder + "Typoscope.ini", kOldSettings));
    ASSERT_TRUE(WriteFileBytes(folder + "sample.txt", kOldSample));
    {
        ProgramRun run(folder);
        ASSERT_TRUE(run.Started());
        HWND window = run.WaitForMainWindow();
        ASSERT_TRUE(window);
        HWND box = GetDlgItem(window, IDC_SAMPLE_BOX);

        ASSERT_TRUE(FillDisk(disk + "filler", c.spare));
        // Far more text than the disk has room for, and a change of the settings.
        std::string text;
        while (text.size() < 150000) text += "A line of new sample text that the full disk cannot take.\r\n";
        SetWideText(box, text);
        ASSERT_EQ(static_cast<int>(text.size()), TextLength(box));
        run.Command(ID_EDIT_BOLD);
        run.Close();
        EXPECT_TRUE(run.WaitForExit()) << "the program hung on the full disk";
    }
    EXPECT_EQ(kOldSample, ReadFileBytes(folder + "sample.txt").value_or("<missing>"));
    std::string settings = ReadFileBytes(folder + "Typoscope.ini").value_or("<missing>");
    if (settings != kOldSettings) {
        // Where there was room for it, the new file is whole and holds the run's change.
        std::string path = folder + "Typoscope.ini";
        EXPECT_GT(c.spare, 0) << settings;
        EXPECT_EQ(1u, GetPrivateProfileIntA("Font", "Bold", 9, path.c_str())) << settings;
        EXPECT_EQ(1u, GetPrivateProfileIntA("Font", "Italic", 9, path.c_str())) << settings;
        EXPECT_EQ(14u, GetPrivateProfileIntA("Font", "Size", 9, path.c_str())) << settings;
        char name[64] = "";
        GetPrivateProfileStringA("Font", "Name", "", name, sizeof name, path.c_str());
        EXPECT_STREQ("DejaVu Sans", name) << settings;
    }
    EXPECT_EQ(0, TemporaryFiles(folder)) << "a failed save leaves nothing behind";
    DeleteFileA((disk + "filler").c_str());
    RemoveTree(folder);
}

INSTANTIATE_TEST_SUITE_P(, OnAFullDisk,
                         testing::Values(FullDisk{"NothingFree", 0}, FullDisk{"SixteenKilobytesFree", 16384},
                                         FullDisk{"AHundredKilobytesFree", 100000}),
                         [](const testing::TestParamInfo<FullDisk>& info) { return info.param.caseName; });

// The program started where it lies, on the read-only disk.
TEST(InAFolderNothingCanBeWritten, TheProgramStartsWithItsFilesAndEndsWithoutTouchingThem)
{
    if (!DisksMounted()) GTEST_SKIP() << "no read-only disk mounted (scripts/robustness-disks.sh needs root)";
    std::string folder = RobustnessFolder() + "readonly\\";
    std::string settingsBefore = ReadFileBytes(folder + "Typoscope.ini").value_or("<missing>");
    std::string sampleBefore = ReadFileBytes(folder + "sample.txt").value_or("<missing>");
    ASSERT_FALSE(WriteFileBytes(folder + "probe", "x")) << "the folder must not be writable for this test";

    for (UINT ending : {0, ID_FILE_EXIT}) {
        SCOPED_TRACE(ending ? "ended through Exit" : "ended through the close box");
        ProgramRun run(folder, ProgramRun::InPlace{});
        HWND window = run.WaitForMainWindow();
        ASSERT_TRUE(window);
        EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(window, IDC_BOLD), BM_GETCHECK, 0, 0)) << "its settings were read";
        EXPECT_EQ("14", WindowText(GetDlgItem(window, IDC_SIZE_FIELD)));
        PostMessageA(window, WM_COMMAND, ID_EDIT_BOLD, 0);
        PostMessageA(window, WM_COMMAND, ID_SIZE_72, 0);
        PostMessageA(window, WM_COMMAND, ID_EDIT_WORDWRAP, 0);
        SetWideText(GetDlgItem(window, IDC_SAMPLE_BOX), "Text that has nowhere to go.");
        if (ending) PostMessageA(window, WM_COMMAND, ending, 0);
        else PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(run.WaitForExit()) << "the program hung on the read-only folder";
    }
    EXPECT_EQ(settingsBefore, ReadFileBytes(folder + "Typoscope.ini").value_or("<missing>"));
    EXPECT_EQ(sampleBefore, ReadFileBytes(folder + "sample.txt").value_or("<missing>"));
}

// A sample.txt whose read fails midway (an I/O error after its first lines) is not
// the box's text: the close leaves it alone.
TEST(ASampleFileThatCannotBeRead, IsNotReplacedAtTheClose)
{
    if (!DisksMounted()) GTEST_SKIP() << "no such folder made (scripts/robustness-disks.sh needs root)";
    const std::string path = RobustnessFolder() + "readerror\\sample.txt";
    // The first bytes read, the rest of the file does not.
    auto readFails = [&] {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        char bytes[65536];
        DWORD read = 0;
        bool firstRead = ReadFile(file, bytes, 100, &read, nullptr) && read == 100;
        bool restFails = !ReadFile(file, bytes, sizeof bytes, &read, nullptr) ||
                         !ReadFile(file, bytes, sizeof bytes, &read, nullptr);
        CloseHandle(file);
        return firstRead && restFails;
    };
    ASSERT_TRUE(readFails()) << "sample.txt must fail to read for this test";
    {
        ProgramRun run(RobustnessFolder() + "readerror\\");
        HWND window = run.WaitForMainWindow();
        ASSERT_TRUE(window);
        run.Close();
        EXPECT_TRUE(run.WaitForExit());
    }
    EXPECT_TRUE(readFails()) << "sample.txt was replaced";
}

// Where the files may be written but no new file made (no inode to spare), the saves
// cannot go through a temporary file. The settings are written into their file; the
// sample file is written in place only once its old bytes are kept in a backup, which
// such a folder cannot take: it stays as it was, and the close says so.
TEST(InAFolderThatTakesNoNewFile, TheSettingsAreSavedAndTheSampleFileKept)
{
    if (!DisksMounted()) GTEST_SKIP() << "no such disk mounted (scripts/robustness-disks.sh needs root)";
    std::string folder = RobustnessFolder() + "nonew\\";
    ASSERT_TRUE(WriteFileBytes(folder + "Typoscope.ini", kOldSettings));
    ASSERT_TRUE(WriteFileBytes(folder + "sample.txt", kOldSample));
    ASSERT_FALSE(WriteFileBytes(folder + "probe", "x")) << "the folder must take no new file for this test";
    {
        ProgramRun run(folder, ProgramRun::InPlace{});
        HWND window = run.WaitForMainWindow();
        ASSERT_TRUE(window);
        HWND box = GetDlgItem(window, IDC_SAMPLE_BOX);
        SetWideText(box, "Typed where no file can be made.\r\n");
        SendMessageW(box, EM_SETMODIFY, TRUE, 0);
        run.Command(ID_EDIT_BOLD);
        run.Close();
        HWND question = WaitForFileDialog(GetWindowThreadProcessId(window, nullptr), window);
        ASSERT_TRUE(question) << "the close did not say that the text cannot be saved";
        PressDialogButton(question, IDCANCEL);
        run.Command(ID_FILE_EXIT);
        EXPECT_TRUE(run.WaitForExit());
    }
    EXPECT_EQ(kOldSample, ReadFileBytes(folder + "sample.txt").value_or("<missing>"));
    std::string path = folder + "Typoscope.ini";
    EXPECT_EQ(1u, GetPrivateProfileIntA("Font", "Bold", 9, path.c_str()));
    EXPECT_EQ(1u, GetPrivateProfileIntA("Font", "Italic", 9, path.c_str())) << "the other keys are kept";
}

}  // namespace
