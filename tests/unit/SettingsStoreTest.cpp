// The settings store: Typoscope.ini beside the executable, written in a fixed key order.
#include <gtest/gtest.h>

#include "app/ModulePath.h"
#include "app/ViewerApp.h"
#include "support/Files.h"

#include <cstring>

extern CViewerApp theApp;

namespace {

const char kDefaultFile[] =
    "[General]\r\nWordwrap=0\r\nScrollbar=0\r\nFirstRun=0\r\nMarkMissing=1\r\n"
    "[Font]\r\nBold=0\r\nItalic=0\r\nUnderline=0\r\nStrikeOut=0\r\nSize=12\r\nName=Arial\r\n";

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_path = ExecutableFolder() + "Typoscope.ini";
        DeleteFileA(m_path.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(m_path.c_str());
        theApp.ViewerSettings = ViewerSettingsRecord();
    }
    std::string m_path;
};

// Every field of the record, each named in a failure.
void ExpectSettings(const ViewerSettingsRecord& expected, const ViewerSettingsRecord& actual)
{
    const struct {
        const char* name;
        int ViewerSettingsRecord::*field;
    } fields[] = {{"Wordwrap", &ViewerSettingsRecord::Wordwrap},   {"Scrollbar", &ViewerSettingsRecord::Scrollbar},
                  {"Bold", &ViewerSettingsRecord::Bold},           {"Italic", &ViewerSettingsRecord::Italic},
                  {"Underline", &ViewerSettingsRecord::Underline}, {"StrikeOut", &ViewerSettingsRecord::StrikeOut},
                  {"Size", &ViewerSettingsRecord::Size},           {"MarkMissing", &ViewerSettingsRecord::MarkMissing}};
    for (const auto& f : fields) EXPECT_EQ(expected.*f.field, actual.*f.field) << f.name;
    EXPECT_STREQ(expected.Name, actual.Name);
}

TEST_F(SettingsStoreTest, MissingFileGivesDefaultsAndSaveWritesTheTwelveLines)
{
    theApp.ViewerSettings.Bold = 5;
    theApp.LoadSettings();
    ViewerSettingsRecord defaults;
    defaults.Wordwrap = defaults.Scrollbar = defaults.Bold = defaults.Italic = defaults.Underline = defaults.StrikeOut = 0;
    defaults.Size = 12;
    strcpy(defaults.Name, "Arial");
    ExpectSettings(defaults, theApp.ViewerSettings);

    theApp.SaveSettings();
    EXPECT_EQ(kDefaultFile, ReadFileBytes(m_path).value_or("<missing>"));
}

TEST_F(SettingsStoreTest, SaveRemovesLeftoversOfAKilledSaveAndKeepsTheFilesAttributes)
{
    const std::string leftover = ExecutableFolder() + "~Typ-000004d2.tmp";
    ASSERT_TRUE(WriteFileBytes(leftover, "[Font]\r\nBold=1\r\n") && MakeFileOld(leftover));
    ASSERT_TRUE(WriteFileBytes(m_path, kDefaultFile));
    ASSERT_TRUE(SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    theApp.ViewerSettings.Bold = 1;
    theApp.SaveSettings();
    EXPECT_FALSE(FileExists(leftover));
    EXPECT_EQ(1u, GetPrivateProfileIntA("Font", "Bold", 9, m_path.c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), GetFileAttributesA(m_path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(leftover.c_str());
}

TEST_F(SettingsStoreTest, RoundTripKeepsEveryField)
{
    ViewerSettingsRecord saved;
    saved.Wordwrap = saved.Scrollbar = saved.Bold = saved.Underline = saved.StrikeOut = 1;
    saved.Size = -7;
    saved.MarkMissing = 0;
    strcpy(saved.Name, "Courier New");
    theApp.ViewerSettings = saved;
    theApp.SaveSettings();
    theApp.ViewerSettings = ViewerSettingsRecord();
    theApp.LoadSettings();
    ExpectSettings(saved, theApp.ViewerSettings);
}

TEST_F(SettingsStoreTest, FirstRunIsNeverReadAndAlwaysWrittenAsZero)
{
    ASSERT_TRUE(WriteFileBytes(m_path, "[General]\r\nFirstRun=1\r\nWordwrap=1\r\n"));
    theApp.LoadSettings();
    EXPECT_EQ(1, theApp.ViewerSettings.Wordwrap);
    theApp.SaveSettings();
    std::string file = ReadFileBytes(m_path).value_or("");
    EXPECT_NE(std::string::npos, file.find("FirstRun=0\r\n"));
    EXPECT_EQ(std::string::npos, file.find("FirstRun=1"));
}

TEST_F(SettingsStoreTest, SizesOutsideTheSpinRangeReadBackUnchanged)
{
    for (int size : {0, 999, 121, 3, -1}) {
        SCOPED_TRACE(size);
        theApp.ViewerSettings.Size = size;
        theApp.SaveSettings();
        theApp.ViewerSettings.Size = 12345;
        theApp.LoadSettings();
        EXPECT_EQ(size, theApp.ViewerSettings.Size);
    }
}

TEST_F(SettingsStoreTest, NameLimits)
{
    ViewerSettingsRecord& s = theApp.ViewerSettings;
    std::string longest(127, 'n');
    strcpy(s.Name, longest.c_str());
    theApp.SaveSettings();
    s = ViewerSettingsRecord();
    theApp.LoadSettings();
    EXPECT_EQ(longest, s.Name);

    // A longer name in the file is cut to its first 127 characters.
    std::string tooLong = std::string(200, 'a') + "b";
    ASSERT_TRUE(WriteFileBytes(m_path, "[Font]\r\nName=" + tooLong + "\r\n"));
    theApp.LoadSettings();
    EXPECT_EQ(std::string(127, 'a'), s.Name);

    // An empty name is written empty and reads back empty, not as the default.
    s.Name[0] = '\0';
    theApp.SaveSettings();
    EXPECT_NE(std::string::npos, ReadFileBytes(m_path).value_or("").find("Name=\r\n"));
    theApp.LoadSettings();
    EXPECT_STREQ("", s.Name);
}

TEST_F(SettingsStoreTest, NonNumericTextReadsAsThePlatformGivesIt)
{
    ASSERT_TRUE(WriteFileBytes(m_path, "[Font]\r\nSize=abc\r\nBold=7x\r\nItalic= 3\r\nUnderline=-2\r\n"));
    theApp.LoadSettings();
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Font", "Size", 12, m_path.c_str())), theApp.ViewerSettings.Size);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Font", "Bold", 0, m_path.c_str())), theApp.ViewerSettings.Bold);
    EXPECT_EQ(7, theApp.ViewerSettings.Bold);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Font", "Italic", 0, m_path.c_str())),
              theApp.ViewerSettings.Italic);
    EXPECT_EQ(-2, theApp.ViewerSettings.Underline);
}

struct ModulePathCase {
    const char* name;
    std::string path;
    bool fits;
    std::string directory;
};

class ModuleDirectoryTest : public testing::TestWithParam<ModulePathCase> {};

TEST_P(ModuleDirectoryTest, CutsAfterTheLastBackslashOnlyWhenThePathIsWhole)
{
    const ModulePathCase& c = GetParam();
    wchar_t directory[kModulePathSize];
    // GetModuleFileNameW reports a cut path as filling the whole buffer.
    DWORD length = c.path.size() >= kModulePathSize ? kModulePathSize : static_cast<DWORD>(c.path.size());
    std::wstring given = DecodedText(c.path.substr(0, kModulePathSize - 1), CP_ACP);
    EXPECT_EQ(c.fits, ModuleDirectoryFromPath(given.c_str(), length, directory));
    EXPECT_EQ(DecodedText(c.directory, CP_ACP), directory);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ModuleDirectoryTest,
    testing::Values(ModulePathCase{"Short", "C:\\Tools\\Typoscope.exe", true, "C:\\Tools\\"},
                    ModulePathCase{"Root", "C:\\Typoscope.exe", true, "C:\\"},
                    ModulePathCase{"Exactly255", "C:\\" + std::string(238, 'd') + "\\Typoscope.exe", true,
                                   "C:\\" + std::string(238, 'd') + "\\"},
                    ModulePathCase{"Cut", "C:\\" + std::string(300, 'd') + "\\Typoscope.exe", false, ""},
                    ModulePathCase{"CutWithinAFolderName",
                                   "C:\\" + std::string(200, 'a') + "\\" + std::string(80, 'b') + "\\T.exe", false,
                                   ""},
                    ModulePathCase{"Empty", "", false, ""}),
    [](const testing::TestParamInfo<ModulePathCase>& info) { return std::string(info.param.name); });

TEST(ModuleFilePathTest, JoinsTheExecutableFolderAndTheName)
{
    wchar_t path[kModulePathSize];
    ASSERT_TRUE(BuildModuleFilePath(path, L"Typoscope.ini"));
    EXPECT_EQ(DecodedText(ExecutableFolder() + "Typoscope.ini", CP_ACP), path);
    // A joined path that does not fit is refused, never cut.
    std::wstring longName(kModulePathSize, L'x');
    EXPECT_FALSE(BuildModuleFilePath(path, longName.c_str()));
    EXPECT_STREQ(L"", path);
}

}  // namespace
