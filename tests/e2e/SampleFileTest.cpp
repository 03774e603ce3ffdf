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
    // Older than the files they were to replace: no newer content of theirs can be lost.
    ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), "old"));
    ASSERT_TRUE(WriteFileBytes(folder.File("Typoscope.ini"), "[General]\r\n"));
    for (const char* name : leftovers)
        ASSERT_TRUE(WriteFileBytes(folder.File(name), "half a save") && MakeFileOld(folder.File(name)));
    ASSERT_TRUE(WriteFileBytes(folder.File("other.tmp"), "not ours"));
    RunOnce(folder, End::Close, "saved");
    EXPECT_EQ("saved", SampleFile(folder));
    for (const char* name : leftovers) EXPECT_FALSE(FileExists(folder.File(name))) << name;
    EXPECT_TRUE(FileExists(folder.File("other.tmp")));
}

// Text put into the box as a paste puts it: the box counts it as the user's change.
void Type(HWND box, const wchar_t* text)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, Stretched(20000), &result);
    SendMessageTimeoutW(box, EM_SETMODIFY, TRUE, 0, SMTO_NORMAL, Stretched(20000), &result);
}

// Another program writes sample.txt while this one runs, or the close must change its
// encoding or write through its other name: neither what was on disk nor what the user
// typed is lost.
TEST(SampleFile, WhatIsOnDiskAtTheCloseIsKeptUnlessTheUserReplacedIt)
{
    const struct {
        const char* name;
        const char* atStart;    // nullptr: no sample.txt
        const char* meanwhile;  // written by another program during the run
        const wchar_t* typed;   // nullptr: nothing typed
        bool linked;            // sample.txt has a second name, other.txt
        std::string saved, backup;
    } kCases[] = {
        {"WrittenMeanwhile", "first version", "written meanwhile", nullptr, false, "written meanwhile", "<missing>"},
        {"WrittenMeanwhileThenTyped", "first version", "written meanwhile", L"typed", false, "typed",
         "written meanwhile"},
        {"CopiedInMeanwhile", nullptr, "copied in", nullptr, false, "copied in", "<missing>"},
        {"OtherCodePageThenTyped", "\xC0\xE1\xE2", nullptr, L"\x00C0\x00E1\x00E2\x03A9", false,
         "\xEF\xBB\xBF\xC3\x80\xC3\xA1\xC3\xA2\xCE\xA9", "\xC0\xE1\xE2"},
        {"HardLinkedThenTyped", "linked\r\n", nullptr, L"typed", true, "typed", "linked\r\n"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.atStart) {
            ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), c.atStart));
        }
        if (c.linked) {
            ASSERT_TRUE(CreateHardLinkA(folder.File("other.txt").c_str(), folder.File("sample.txt").c_str(), nullptr));
        }
        ProgramRun run(folder.Path());
        HWND window = run.WaitForMainWindow();
        ASSERT_TRUE(window);
        if (c.meanwhile) {
            ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), c.meanwhile));
        }
        if (c.typed) Type(GetDlgItem(window, IDC_SAMPLE_BOX), c.typed);
        run.Close();
        EXPECT_TRUE(run.WaitForExit());
        EXPECT_EQ(c.saved, SampleFile(folder));
        EXPECT_EQ(c.backup, ReadFileBytes(folder.File("sample-backup.txt")).value_or("<missing>"));
        if (c.linked) {
            EXPECT_EQ(c.saved, ReadFileBytes(folder.File("other.txt")).value_or("<missing>"));
        }
    }
}

TEST(SampleFile, TwoCopiesOnOneFolderKeepWhatTheFirstSaved)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), "first version\r\n"));
    ProgramRun first(folder.Path());
    ProgramRun second(folder.Path(), ProgramRun::InPlace{});
    ASSERT_TRUE(first.WaitForMainWindow() && second.WaitForMainWindow());
    Type(GetDlgItem(first.MainWindow(), IDC_SAMPLE_BOX), L"typed in the first");
    first.Close();
    EXPECT_TRUE(first.WaitForExit());
    second.Close();
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_EQ("typed in the first", SampleFile(folder));
}

// Logging off ends the program without a close: typed text and settings are kept, and
// while the text cannot be saved the program asks the system to wait, saying why.
TEST(SampleFile, TheEndOfTheSessionKeepsTypedTextAndSettings)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File("sample.txt"), "old\r\n"));
    ASSERT_TRUE(SetFileAttributesA(folder.File("sample.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    {
        ProgramRun run(folder.Path());
        HWND window = run.WaitForMainWindow();
        ASSERT_TRUE(window);
        auto query = [&]() -> DWORD_PTR {
            DWORD_PTR answer = 0;
            return SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                       Stretched(20000), &answer)
                       ? answer
                       : 2;  // no answer at all
        };
        EXPECT_EQ(TRUE, query()) << "nothing would be lost";
        Type(GetDlgItem(window, IDC_SAMPLE_BOX), L"typed before logging off");
        run.Command(ID_EDIT_BOLD);
        ASSERT_TRUE(
            WaitUntil([&] { return SendMessageW(GetDlgItem(window, IDC_BOLD), BM_GETCHECK, 0, 0) == BST_CHECKED; }));
        EXPECT_EQ(FALSE, query()) << "the typed text cannot be saved";
        ASSERT_TRUE(SetFileAttributesA(folder.File("sample.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
        EXPECT_EQ(TRUE, query());
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, Stretched(20000), &result);
    }  // the system ends the process
    EXPECT_EQ("typed before logging off", SampleFile(folder));
    EXPECT_EQ(1u, GetPrivateProfileIntA("Font", "Bold", 9, folder.File("Typoscope.ini").c_str()));
}

}  // namespace
