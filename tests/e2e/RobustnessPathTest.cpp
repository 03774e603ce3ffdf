// The real program in folders whose paths come near and past the 255 characters of the
// module path: where the path fits it keeps its files beside itself, where it does not
// it starts with the defaults, and nothing anywhere is read or written in a wrong place.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "res/resource.h"
#include "support/Files.h"
#include "support/ProgramRun.h"
#include "support/Wait.h"

namespace {

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// Long paths go through the wide functions, which take them whole.
std::wstring Long(const std::string& path)
{
    return L"\\\\?\\" + Wide(path);
}

// Every file under the folder with its content, but the program itself.
void Snapshot(const std::wstring& folder, std::map<std::wstring, std::string>& files)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Snapshot(folder + name + L"\\", files);
        else if (name != L"Typoscope.exe") files[folder + name] = ReadFileBytes(folder + name).value_or("<unreadable>");
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

void RemoveLong(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveLong(folder + name + L"\\");
            else DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

class ProgramInALongPath : public testing::TestWithParam<int> {};

TEST_P(ProgramInALongPath, KeepsItsFilesBesideItselfOrTouchesNothing)
{
    const size_t exeLength = static_cast<size_t>(GetParam());  // the executable's full path
    TempFolder temp("typoscope-path");
    // Folders of up to 100 characters each, down to the length asked for.
    std::string folder = temp.Path();
    const size_t folderLength = exeLength - std::string("Typoscope.exe").size();
    ASSERT_LT(folder.size() + 2, folderLength);
    std::string traps;  // each folder on the way holds files of its own, which must stay unread
    while (folder.size() < folderLength) {
        WriteFileBytes(Long(folder + "Typoscope.ini"), "[Font]\r\nSize=33\r\n");
        WriteFileBytes(Long(folder + "sample.txt"), "A sample file in a wrong place.");
        size_t name = std::min<size_t>(100, folderLength - folder.size() - 1);
        folder += std::string(name, 'p') + "\\";
        ASSERT_TRUE(CreateDirectoryW(Long(folder).c_str(), nullptr)) << folder.size();
    }
    ASSERT_EQ(exeLength, (folder + "Typoscope.exe").size());
    const bool fits = exeLength <= 255;
    std::map<std::wstring, std::string> before, after;
    Snapshot(Long(temp.Path()), before);
    {
        ProgramRun run(Long(folder + "Typoscope.exe"));
        HWND window = run.WaitForMainWindow();
        ASSERT_TRUE(window) << "the program did not start from a path of " << exeLength << " characters";
        EXPECT_EQ("12", WindowText(GetDlgItem(window, IDC_SIZE_FIELD))) << "the settings of no other folder are read";
        EXPECT_EQ(std::string::npos, WindowText(GetDlgItem(window, IDC_SAMPLE_BOX)).find("wrong place"));
        PostMessageA(window, WM_COMMAND, ID_EDIT_BOLD, 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(run.WaitForExit());
    }
    Snapshot(Long(temp.Path()), after);
    std::wstring own = Long(folder);
    for (const auto& file : after) {
        if (fits && (file.first == own + L"Typoscope.ini" || file.first == own + L"sample.txt")) continue;
        auto old = before.find(file.first);
        EXPECT_TRUE(old != before.end() && old->second == file.second)
            << "written in a wrong place: " << std::string(file.first.begin(), file.first.end());
    }
    EXPECT_EQ(before.size() + (fits ? 2 : 0), after.size());
    if (fits) {
        std::string settings = after[own + L"Typoscope.ini"];
        EXPECT_NE(std::string::npos, settings.find("Bold=1\r\n")) << settings;
    }
    RemoveLong(Long(temp.Path()));
}

// Wine does not start a program whose path is longer than 255 characters, so the paths
// beyond (defaults, no writes) are covered by the module path's own tests only.
INSTANTIATE_TEST_SUITE_P(, ProgramInALongPath, testing::Values(240, 250, 254, 255),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

// A folder named in another script: the program finds its files there and keeps them,
// byte for byte, where nothing changed.
TEST(ProgramInAFolderBeyondTheCodePage, FindsAndKeepsItsFiles)
{
    TempFolder temp("typoscope-script");
    const std::wstring folder = Wide(temp.Path()) + L"\x65E5\x672C \x03B1\x03B2\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::string settings = "[General]\r\nWordwrap=1\r\nScrollbar=0\r\nFirstRun=0\r\nMarkMissing=1\r\n[Font]\r\nBold=1\r\n"
                                 "Italic=0\r\nUnderline=0\r\nStrikeOut=0\r\nSize=14\r\nName=Arial\r\n";
    ASSERT_TRUE(WriteFileBytes(folder + L"Typoscope.ini", settings));
    ASSERT_TRUE(WriteFileBytes(folder + L"sample.txt", "kept\r\n"));
    {
        ProgramRun run(folder + L"Typoscope.exe");
        HWND window = run.WaitForMainWindow();
        ASSERT_TRUE(window);
        EXPECT_EQ("14", WindowText(GetDlgItem(window, IDC_SIZE_FIELD)));
        EXPECT_EQ("kept\r\n", WindowText(GetDlgItem(window, IDC_SAMPLE_BOX)));
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(run.WaitForExit());
    }
    EXPECT_EQ(settings, ReadFileBytes(folder + L"Typoscope.ini").value_or("<missing>"));
    EXPECT_EQ("kept\r\n", ReadFileBytes(folder + L"sample.txt").value_or("<missing>"));
    RemoveLong(folder);
}

}  // namespace
