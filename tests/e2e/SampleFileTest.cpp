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

}  // namespace
