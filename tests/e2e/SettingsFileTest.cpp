// The real program in a folder of its own: what it leaves in Typoscope.ini.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "support/Files.h"
#include "support/ProgramRun.h"
#include "support/Wait.h"

namespace {

const char kDefaultFile[] =
    "[General]\r\nWordwrap=0\r\nScrollbar=0\r\nFirstRun=0\r\nMarkMissing=1\r\n"
    "[Font]\r\nBold=0\r\nItalic=0\r\nUnderline=0\r\nStrikeOut=0\r\nSize=12\r\nName=Arial\r\n";

// Ends the run through the close box; it leaves the first run's settings file.
void ExpectClosedWithDefaults(ProgramRun& run, const TempFolder& folder)
{
    run.Close();
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(kDefaultFile, ReadFileBytes(folder.File("Typoscope.ini")).value_or("<missing>"));
}

TEST(SettingsFile, FirstRunClosedThroughTheCloseBoxLeavesTheTwelveLines)
{
    TempFolder folder;
    ProgramRun run(folder.Path());
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.WaitForMainWindow());
    EXPECT_FALSE(FileExists(folder.File("Typoscope.ini"))) << "nothing is written while the window is open";
    ExpectClosedWithDefaults(run, folder);
}

TEST(SettingsFile, TwoInstancesEachSaveAtTheirOwnEnd)
{
    TempFolder folder;
    ProgramRun first(folder.Path());
    ASSERT_TRUE(first.WaitForMainWindow());
    // The second copy replaces the executable only after the first has started from it.
    TempFolder second_folder;
    ProgramRun second(second_folder.Path());
    ASSERT_TRUE(second.WaitForMainWindow());

    first.Close();
    ASSERT_TRUE(first.WaitForExit());
    EXPECT_TRUE(FileExists(folder.File("Typoscope.ini")));
    EXPECT_FALSE(FileExists(second_folder.File("Typoscope.ini"))) << "the second saves only at its own end";
    ExpectClosedWithDefaults(second, second_folder);
}

TEST(SettingsFile, ExitEndsTheRunAndStillSaves)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File("Typoscope.ini"), "[General]\r\nFirstRun=1\r\n[Font]\r\nSize=20\r\n"));
    ProgramRun run(folder.Path());
    ASSERT_TRUE(run.WaitForMainWindow());
    run.Command(ID_FILE_EXIT);
    ASSERT_TRUE(run.WaitForExit());
    std::string file = ReadFileBytes(folder.File("Typoscope.ini")).value_or("");
    EXPECT_NE(std::string::npos, file.find("FirstRun=0\r\n"));
    EXPECT_NE(std::string::npos, file.find("Size=20\r\n"));
}

}  // namespace
