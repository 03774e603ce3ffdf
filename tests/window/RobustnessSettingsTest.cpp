// Whatever lies in Typoscope.ini, the window starts with sane values, and a save that
// cannot be made leaves the old file exactly as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"
#include "viewer/FontDescription.h"
#include "support/Files.h"

namespace {

const unsigned kSeed = 20240607;

std::string RandomBytes(size_t count, unsigned seed, const std::string& prefix = "")
{
    std::mt19937 random(seed);
    std::string bytes = prefix;
    while (bytes.size() < count) bytes += static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string Repeat(const std::string& piece, size_t bytes)
{
    std::string text;
    while (text.size() < bytes) text += piece;
    return text;
}

// Temporary files that a save left beside the executable.
int StrayTemporaryFiles() { return CountFiles(ExecutableFolder() + "*.tmp"); }

class RobustSettings : public testing::Test {
protected:
    void SetUp() override
    {
        m_path = ExecutableFolder() + "Typoscope.ini";
        Clear();
    }
    void TearDown() override
    {
        Clear();
        theApp.ViewerSettings = ViewerSettingsRecord();
    }
    void Clear()
    {
        SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(m_path.c_str());
        RemoveDirectoryA(m_path.c_str());
    }
    // The record as the file gives it, shown in the window, then saved and read back.
    void StartChangeAndSave(const std::string& content);
    std::string m_path;
};

// The window shows the record in sane controls and answers; the user flips Bold, whose
// new state is returned, and ends the run with Exit.
int ExpectSaneWindow(const ViewerSettingsRecord& loaded)
{
    ViewerHarness h(loaded);
    EXPECT_TRUE(h.Started());
    if (!h.Started()) return -1;
    for (int id : {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_STRIKEOUT}) {
        LRESULT state = SendMessageA(h.Item(id), BM_GETCHECK, 0, 0);
        EXPECT_TRUE(state == BST_CHECKED || state == BST_UNCHECKED) << id << " shows " << state;
    }
    EXPECT_EQ(std::to_string(loaded.Size), WindowText(h.Item(IDC_SIZE_FIELD)));
    EXPECT_EQ(loaded.Size, h.Get<int>([&] { return h.Dlg().CurrentSize; }));
    int wrap = h.Get<int>([&] { return h.Dlg().WordWrapState; });
    int bar = h.Get<int>([&] { return h.Dlg().ScrollbarState; });
    EXPECT_TRUE(wrap == 0 || wrap == 1);
    EXPECT_TRUE(bar == 0 || bar == 1);
    LOGFONTA font;
    EXPECT_TRUE(SampleBoxFont(h, &font));
    EXPECT_GE(font.lfHeight, -kMaxPreviewHeight);
    DWORD_PTR result = 0;
    EXPECT_NE(0, SendMessageTimeoutA(h.Hwnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    // One change the user makes, which the save must keep.
    h.Click(IDC_BOLD);
    int bold = static_cast<int>(SendMessageA(h.Item(IDC_BOLD), BM_GETCHECK, 0, 0));
    h.Command(ID_FILE_EXIT);
    EXPECT_TRUE(h.WaitForEnd());
    return bold;
}

void RobustSettings::StartChangeAndSave(const std::string& content)
{
    ASSERT_TRUE(WriteFileBytes(m_path, content));
    theApp.LoadSettings();
    ViewerSettingsRecord loaded = theApp.ViewerSettings;
    ASSERT_LT(strnlen(loaded.Name, sizeof loaded.Name), sizeof loaded.Name) << "the name ends inside its field";

    int bold = ExpectSaneWindow(loaded);
    ViewerSettingsRecord ended = theApp.ViewerSettings;
    EXPECT_EQ(bold, ended.Bold);
    theApp.SaveSettings();
    EXPECT_EQ(0, StrayTemporaryFiles());

    // Nothing of the run is lost: the file gives back the record the window ended with.
    theApp.ViewerSettings = ViewerSettingsRecord();
    theApp.LoadSettings();
    const ViewerSettingsRecord& back = theApp.ViewerSettings;
    EXPECT_EQ(ended.Wordwrap, back.Wordwrap);
    EXPECT_EQ(ended.Scrollbar, back.Scrollbar);
    EXPECT_EQ(ended.Bold, back.Bold);
    EXPECT_EQ(ended.Italic, back.Italic);
    EXPECT_EQ(ended.Underline, back.Underline);
    EXPECT_EQ(ended.StrikeOut, back.StrikeOut);
    EXPECT_EQ(ended.Size, back.Size);
    EXPECT_STREQ(ended.Name, back.Name);
    // And a save of what was read changes nothing more.
    std::string once = ReadFileBytes(m_path).value_or("<missing>");
    theApp.SaveSettings();
    EXPECT_EQ(once, ReadFileBytes(m_path).value_or("<missing>"));
}

struct BadFile {
    const char* caseName;
    std::string content;
};

class BadSettingsFile : public RobustSettings, public testing::WithParamInterface<BadFile> {};

TEST_P(BadSettingsFile, StartsSaneAndSavesWhatTheRunEndedWith)
{
    SCOPED_TRACE(testing::Message() << "seed " << kSeed);
    StartChangeAndSave(GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    , BadSettingsFile,
    testing::Values(
        BadFile{"RandomBytes", RandomBytes(4096, kSeed)},
        BadFile{"RandomBytesAfterAUtf16Mark", RandomBytes(4096, kSeed + 1, "\xFF\xFE")},
        BadFile{"RandomBytesAfterAUtf8Mark", RandomBytes(4096, kSeed + 2, "\xEF\xBB\xBF")},
        BadFile{"RandomBytesAroundRealKeys",
                RandomBytes(2000, kSeed + 3) + "\r\n[Font]\r\nSize=20\r\nName=DejaVu Sans\r\n" + RandomBytes(2000, kSeed + 4)},
        BadFile{"OneMegabyte", Repeat("[Junk]\r\nKey=value value value value value\r\n", 1 << 20) +
                                   "[Font]\r\nSize=24\r\nBold=1\r\n"},
        BadFile{"OneMegabyteLine", "[General]\r\nWordwrap=" + std::string(1 << 20, '7') + "\r\n"},
        BadFile{"HugeValues", "[General]\r\nWordwrap=2147483648\r\nScrollbar=99999999999999999999\r\n"
                              "[Font]\r\nBold=4294967297\r\nItalic=2147483647\r\nSize=99999999999\r\n"},
        BadFile{"NegativeValues", "[General]\r\nWordwrap=-1\r\nScrollbar=-2147483648\r\n"
                                  "[Font]\r\nBold=-1\r\nUnderline=-7\r\nSize=-2147483648\r\n"},
        BadFile{"NonNumericValues", "[General]\r\nWordwrap=yes\r\nScrollbar=0x1\r\n"
                                    "[Font]\r\nBold=true\r\nItalic=1e9\r\nStrikeOut=--1\r\nSize=twelve\r\n"},
        BadFile{"NameOf300Characters", "[Font]\r\nName=" + std::string(300, 'N') + "\r\n"},
        BadFile{"DuplicateKeys", "[Font]\r\nSize=20\r\nSize=30\r\nName=One\r\nName=Two\r\n"},
        BadFile{"DuplicateSections", "[Font]\r\nSize=20\r\n[General]\r\nWordwrap=1\r\n[Font]\r\nSize=30\r\nBold=1\r\n"
                                     "[General]\r\nWordwrap=0\r\n"},
        BadFile{"NulBytesAndBareLines", std::string("[Font]\r\nSize=1\0" "9\r\nName\r\n=\r\n[]\r\n[Font\r\n", 38)},
        BadFile{"OnlyLineBreaks", std::string(5000, '\n')}),
    [](const testing::TestParamInfo<BadFile>& info) { return info.param.caseName; });

const char kKept[] = "[General]\r\nWordwrap=1\r\nScrollbar=1\r\nFirstRun=0\r\n"
                     "[Font]\r\nBold=0\r\nItalic=1\r\nUnderline=0\r\nStrikeOut=1\r\nSize=14\r\nName=DejaVu Sans\r\n";

TEST_F(RobustSettings, AReadOnlyFileIsReadAndLeftAsItWas)
{
    ASSERT_TRUE(WriteFileBytes(m_path, kKept));
    ASSERT_TRUE(SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_READONLY));
    theApp.LoadSettings();
    EXPECT_EQ(14, theApp.ViewerSettings.Size);
    EXPECT_EQ(1, theApp.ViewerSettings.Italic);
    EXPECT_EQ(1, ExpectSaneWindow(theApp.ViewerSettings));
    theApp.SaveSettings();
    EXPECT_EQ(kKept, ReadFileBytes(m_path).value_or("<missing>"));
    EXPECT_NE(0u, GetFileAttributesA(m_path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, StrayTemporaryFiles());
}

TEST_F(RobustSettings, AFileHeldOpenWithoutSharingGivesDefaultsAndIsLeftAsItWas)
{
    ASSERT_TRUE(WriteFileBytes(m_path, kKept));
    HANDLE held = CreateFileA(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    theApp.LoadSettings();
    ExpectSaneWindow(theApp.ViewerSettings);
    theApp.SaveSettings();
    CloseHandle(held);
    EXPECT_EQ(kKept, ReadFileBytes(m_path).value_or("<missing>"));
    EXPECT_EQ(0, StrayTemporaryFiles());
}

TEST_F(RobustSettings, AFolderInTheFilesPlaceGivesDefaultsAndStaysAFolder)
{
    ASSERT_TRUE(CreateDirectoryA(m_path.c_str(), nullptr));
    theApp.LoadSettings();
    EXPECT_EQ(12, theApp.ViewerSettings.Size);
    EXPECT_STREQ("Arial", theApp.ViewerSettings.Name);
    ExpectSaneWindow(theApp.ViewerSettings);
    theApp.SaveSettings();
    DWORD attributes = GetFileAttributesA(m_path.c_str());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(0, StrayTemporaryFiles());
}

}  // namespace
