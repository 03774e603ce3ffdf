// The real program and its sample.txt: written at the close box, not at Exit.
#include <gtest/gtest.h>

#include <string>

#include "support/Files.h"
#include "support/ProgramRun.h"
#include "support/Wait.h"

namespace {

const int kSampleBox = 1003;
const UINT kExit = 32771;

enum class End { Close, Exit };

// One run of the program in the folder: optionally types text over the box, then ends.
std::string RunOnce(const TempFolder& folder, End end, const char* typed = nullptr, int timeoutMs = 20000)
{
    ProgramRun run(folder.Path());
    EXPECT_TRUE(run.Started());
    HWND window = run.WaitForMainWindow(timeoutMs);
    EXPECT_TRUE(window);
    if (!window) return "<no window>";
    HWND box = GetDlgItem(window, kSampleBox);
    std::string shown = WindowText(box);
    if (typed) SetWindowTextA(box, typed);
    if (end == End::Close) run.Close();
    else run.Command(kExit);
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
