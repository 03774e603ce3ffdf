// The real program and its sample.txt: written at the close box, not at Exit.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "res/resource.h"
#include "support/Files.h"
#include "support/ProgramRun.h"
#include "support/Wait.h"

namespace {

enum class End { Close, Exit };

// One run of the program in the folder: optionally types text over the box, then ends.
std::string RunOnce(const TempFolder& folder, End end, const char* typed = nullptr, int timeoutMs = 20000)
{
    ProgramRun run(folder.Path());
    EXPECT_TRUE(run.Started());
    HWND window = run.WaitForMainWindow(timeoutMs);
    EXPECT_TRUE(window);
    if (!window) return "<no window>";
    HWND box = GetDlgItem(window, IDC_SAMPLE_BOX);
    std::string shown = WindowText(box);
    if (typed) SetWindowTextA(box, typed);
    if (end == End::Close) run.Close();
    else run.Command(ID_FILE_EXIT);
    EXPECT_TRUE(run.WaitForExit(timeoutMs));
    return shown;
}

std::string SampleFile(const TempFolder& folder)
{
    return ReadFileBytes(folder.File("sample.txt")).value_or("<missing>");
}

TEST(SampleFile, HelloRoundTripsThroughTheCloseBox)
{
    TempFolder folder;
    RunOnce(folder, End::Close, "Hello");
    EXPECT_EQ("Hello", SampleFile(folder)) << "exactly the five characters typed";
    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE(cycle);
        EXPECT_EQ("Hello\r\n", RunOnce(folder, End::Close));
        EXPECT_EQ("Hello\r\n", SampleFile(folder));
    }
}

TEST(SampleFile, ExitLeavesTheFileAndCloseRewritesIt)
{
    TempFolder folder;
    RunOnce(folder, End::Exit, "typed before Exit");
    EXPECT_EQ("<missing>", SampleFile(folder));
    ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), "kept\nas is"));
    EXPECT_EQ("kept\r\nas is\r\n", RunOnce(folder, End::Exit, "typed before Exit"));
    EXPECT_EQ("kept\nas is", SampleFile(folder));
    RunOnce(folder, End::Close);
    EXPECT_EQ("kept\r\nas is\r\n", SampleFile(folder));
}

// This test process holds the file open without sharing while the program runs.
TEST(SampleFile, AFileHeldByAnotherProcessIsNeitherReadNorOverwritten)
{
    TempFolder folder;
    const std::string path = folder.File("sample.txt");
    ASSERT_TRUE(WriteFileBytes(path, "held\r\n"));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const std::string shown = RunOnce(folder, End::Close, "typed while held");
    CloseHandle(held);
    EXPECT_EQ("This is some sample text so that you can see what a font looks like.  "
              "Type here to change this text to see what the selected font will look like.",
              shown);
    EXPECT_EQ("held\r\n", SampleFile(folder));
    // Only the program, its settings and the untouched sample file: no temporary copy left over.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder.File("*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    std::set<std::string> names;
    do {
        if (found.cFileName[0] != '.') names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ((std::set<std::string>{"sample.txt", "Typoscope.exe", "Typoscope.ini"}), names);
}

TEST(SampleFile, SixteenMegabytesSurviveCloseAndStartByteForByte)
{
    TempFolder folder;
    std::string text;
    text.reserve((16u << 20) + 200);
    for (unsigned line = 0; text.size() < (16u << 20); ++line)
        text += "Line " + std::to_string(line) + std::string(line % 131, '#') + " \xe9\xff\t~\r\n";
    ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), text));
    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE(cycle);
        // The platform's edit control takes its time over 16 MB.
        RunOnce(folder, End::Close, nullptr, 180000);
        std::string saved = SampleFile(folder);
        EXPECT_EQ(text.size(), saved.size());
        EXPECT_TRUE(text == saved) << "the sample file changed";
    }
}

const wchar_t kScripts[] = L"\x03B1\x03B2\x03B3 \x0416\x0438\x0437\x043D\x044C \x65E5\x672C\x8A9E \xD83D\xDE00\r\n";
const char kScriptsUtf8[] = "\xCE\xB1\xCE\xB2\xCE\xB3 \xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C "
                            "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80\r\n";

// One run that shows the box's text as the box holds it, optionally puts text in it
// with a wide WM_SETTEXT (as pasting does) and ends through the close box.
std::wstring RunShowingWideText(const TempFolder& folder, const wchar_t* put = nullptr)
{
    ProgramRun run(folder.Path());
    HWND window = run.WaitForMainWindow();
    EXPECT_TRUE(window);
    if (!window) return L"<no window>";
    HWND box = GetDlgItem(window, IDC_SAMPLE_BOX);
    std::wstring shown = WideWindowText(box);
    DWORD_PTR result = 0;
    if (put) SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(put), SMTO_NORMAL, 20000, &result);
    run.Close();
    EXPECT_TRUE(run.WaitForExit());
    return shown;
}

TEST(SampleFile, TextInAnyScriptShowsAndSurvivesCloseAndStart)
{
    TempFolder folder;
    const std::string utf8 = std::string("\xEF\xBB\xBF") + kScriptsUtf8;
    ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), utf8));
    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE(cycle);
        EXPECT_TRUE(kScripts == RunShowingWideText(folder));
        EXPECT_EQ(utf8, SampleFile(folder));
    }
    // Put into the box of a run that began with no sample file: the code page cannot hold it.
    ASSERT_TRUE(DeleteFileA(folder.File("sample.txt").c_str()));
    RunShowingWideText(folder, kScripts);
    EXPECT_EQ(utf8, SampleFile(folder));
    EXPECT_TRUE(kScripts == RunShowingWideText(folder));
}

TEST(SampleFile, CodePageTextWithCharacters128To255SurvivesByteForByte)
{
    TempFolder folder;
    std::string text;
    for (int code = 128; code <= 255; ++code) text += static_cast<char>(code);
    text += "\r\n";
    ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), text));
    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE(cycle);
        RunOnce(folder, End::Close);
        EXPECT_EQ(text, SampleFile(folder));
    }
}

// Another program reading the file and sharing it (a scanner, an editor showing it) hides nothing.
TEST(SampleFile, AFileOthersReadIsShownAndSaved)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), "read by others"));
    HANDLE reader = CreateFileA(folder.File("sample.txt").c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    EXPECT_EQ("read by others\r\n", RunOnce(folder, End::Close));
    CloseHandle(reader);
    EXPECT_EQ("read by others", SampleFile(folder).substr(0, 14));
}

// Held by a writer while the program starts, free again before its close: the user's
// file is kept, and once the user types it is kept as the backup before the save.
TEST(SampleFile, AFileHeldAtStartUpIsKeptUntilTheUserTypes)
{
    TempFolder folder;
    const std::string path = folder.File("sample.txt");
    ASSERT_TRUE(WriteFileBytes(path, "held\r\n"));
    for (bool types : {false, true}) {
        SCOPED_TRACE(types ? "typed" : "nothing typed");
        HANDLE held = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        ProgramRun run(folder.Path());
        HWND window = run.WaitForMainWindow();
        CloseHandle(held);
        ASSERT_TRUE(window);
        HWND box = GetDlgItem(window, IDC_SAMPLE_BOX);
        if (types) {
            PostMessageW(box, WM_KEYDOWN, VK_END, 0);
            PostMessageW(box, WM_CHAR, '!', 1);
        }
        run.Close();
        EXPECT_TRUE(run.WaitForExit());
        if (!types) {
            EXPECT_EQ("held\r\n", SampleFile(folder));
            EXPECT_FALSE(FileExists(folder.File("sample-backup.txt")));
        }
    }
    EXPECT_EQ("This is some sample text so that you can see what a font looks like.  "
              "Type here to change this text to see what the selected font will look like.!",
              SampleFile(folder));
    EXPECT_EQ("held\r\n", ReadFileBytes(folder.File("sample-backup.txt")).value_or("<missing>"));
}

// Left by runs that were ended in the middle of a save; other files are not ours.
TEST(SampleFile, TemporaryFilesLeftByAnEarlierSaveGoAtTheNextSave)
{
    TempFolder folder;
    const char* leftovers[] = {"~sam-000004d2.tmp", "~Typ-000004d2.tmp"};
    for (const char* name : leftovers)
        ASSERT_TRUE(WriteFileBytes(folder.File(name), "half a save") && MakeFileOld(folder.File(name)));
    ASSERT_TRUE(WriteFileBytes(folder.File("other.tmp"), "not ours"));
    RunOnce(folder, End::Close, "saved");
    EXPECT_EQ("saved", SampleFile(folder));
    for (const char* name : leftovers) EXPECT_FALSE(FileExists(folder.File(name))) << name;
    EXPECT_TRUE(FileExists(folder.File("other.tmp")));
}

}  // namespace
