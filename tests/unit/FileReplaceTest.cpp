// Rewriting the sample file: the old content stays until the new one is whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/File.h"
#include "app/FileReplace.h"
#include "support/Files.h"

namespace {

// A disk that fills up: only bytes beyond the file's end need room, and writes stop
// once there is none left.
class FillingFile : public CFile {
public:
    explicit FillingFile(UINT room) : m_room(room) {}
    bool Write(const void* buffer, UINT count) override
    {
        LARGE_INTEGER size{}, at{};
        GetFileSizeEx(m_hFile, &size);
        SetFilePointerEx(m_hFile, at, &at, FILE_CURRENT);
        const LONGLONG growth = std::max<LONGLONG>(0, at.QuadPart + count - size.QuadPart);
        const UINT fits = growth <= m_room ? count : count - static_cast<UINT>(growth - m_room);
        bool written = CFile::Write(buffer, fits);
        m_room -= std::min<UINT>(m_room, static_cast<UINT>(growth));
        return written && fits == count;
    }

private:
    UINT m_room;
};

std::wstring Wide(const std::string& path) { return DecodedText(path, CP_ACP); }

int FilesIn(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

TEST(FileReplace, WritesTheWholeTextInPlaceOfTheOld)
{
    TempFolder folder;
    const struct {
        const char* name;
        const char* old;  // null: no file before
        std::string text;
    } kCases[] = {
        {"NewFile", nullptr, "Hello"},
        {"Replaces", "old content that is longer", "new"},
        {"Empty", "old", ""},
        {"Large", "old", std::string(3u << 20, 'L')},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::string path = folder.File("sample.txt");
        DeleteFileA(path.c_str());
        if (c.old) {
            ASSERT_TRUE(WriteFileBytes(path, c.old));
        }
        EXPECT_TRUE(ReplaceFileContent(Wide(path).c_str(), c.text.data(), c.text.size()));
        EXPECT_TRUE(c.text == ReadFileBytes(path).value_or("<missing>"));
        EXPECT_EQ(1, FilesIn(folder.Path())) << "a temporary file was left";
    }
}

// Through a temporary file, and in place where the folder takes no new file.
TEST(FileReplace, AWriteThatFailsMidwayKeepsTheOldFile)
{
    TempFolder folder;
    std::string path = folder.File("sample.txt");
    const std::string text(100000, 'n');
    const struct {
        const char* name;
        bool (*write)(const wchar_t*, const char*, size_t, CFile&);
    } kWays[] = {{"Replace", [](const wchar_t* path, const char* data, size_t size,
                                CFile& file) { return ReplaceFileContent(path, data, size, file); }},
                 {"InPlace", RewriteInPlace}};
    for (const auto& way : kWays) {
        ASSERT_TRUE(WriteFileBytes(path, "the old sample\r\n"));
        for (UINT room : {0u, 1u, 65536u, 99983u}) {  // in place needs 99984 more bytes
            SCOPED_TRACE(std::string(way.name) + " " + std::to_string(room));
            FillingFile disk(room);
            EXPECT_FALSE(way.write(Wide(path).c_str(), text.data(), text.size(), disk));
            disk.Close();
            EXPECT_EQ("the old sample\r\n", ReadFileBytes(path).value_or("<missing>"));
            EXPECT_EQ(1, FilesIn(folder.Path())) << "a temporary file was left";
        }
        FillingFile roomy(100000);
        EXPECT_TRUE(way.write(Wide(path).c_str(), text.data(), text.size(), roomy));
        roomy.Close();
        EXPECT_TRUE(text == ReadFileBytes(path).value_or("")) << way.name;
    }
}

TEST(FileReplace, AFileHeldWithoutSharingKeepsItsContent)
{
    TempFolder folder;
    std::string path = folder.File("sample.txt");
    ASSERT_TRUE(WriteFileBytes(path, "held"));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(ReplaceFileContent(Wide(path).c_str(), "new", 3));
    CloseHandle(held);
    EXPECT_EQ("held", ReadFileBytes(path).value_or("<missing>"));
    EXPECT_EQ(1, FilesIn(folder.Path()));
}

// A killed run's old temporary file goes at the next save; the file stays hidden if it was.
TEST(FileReplace, RemovesItsLeftoversAndKeepsTheFilesAttributes)
{
    TempFolder folder;
    std::string path = folder.File("sample.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileBytes(folder.File("~sam-000004d2.tmp"), "half a save"));
    ASSERT_TRUE(MakeFileOld(folder.File("~sam-000004d2.tmp")));
    // A fresh one may be another copy's save under way.
    ASSERT_TRUE(WriteFileBytes(folder.File("~sam-000004d3.tmp"), "a save under way"));
    ASSERT_TRUE(WriteFileBytes(folder.File("~oth-000004d2.tmp"), "another file's"));
    ASSERT_TRUE(WriteFileBytes(folder.File("mine.tmp"), "not ours"));
    ASSERT_TRUE(WriteFileBytes(folder.File("~sam-notours.tmp"), "not ours"));
    EXPECT_TRUE(ReplaceFileContent(Wide(path).c_str(), "new", 3));
    EXPECT_EQ("new", ReadFileBytes(path).value_or("<missing>"));
    EXPECT_FALSE(FileExists(folder.File("~sam-000004d2.tmp")));
    EXPECT_TRUE(FileExists(folder.File("~sam-000004d3.tmp")));
    EXPECT_TRUE(FileExists(folder.File("~oth-000004d2.tmp")));
    EXPECT_TRUE(FileExists(folder.File("mine.tmp")));
    EXPECT_TRUE(FileExists(folder.File("~sam-notours.tmp")));
    // One written after the file may hold the only copy of newer content: it is kept
    // under a name no clean-up touches.
    ASSERT_TRUE(MakeFileOld(path, 3) && WriteFileBytes(folder.File("~sam-000004d4.tmp"), "newer than the file") &&
                MakeFileOld(folder.File("~sam-000004d4.tmp")));
    EXPECT_TRUE(ReplaceFileContent(Wide(path).c_str(), "new", 3));
    EXPECT_EQ("newer than the file",
              ReadFileBytes(folder.File("sample (recovered 000004d4).txt")).value_or("<missing>"));
    // Hidden as it was, and marked as changed for backup programs.
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
              GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileReplace, AFolderThatIsNotThereFailsQuietly)
{
    TempFolder folder;
    std::string path = folder.File("absent\\sample.txt");
    EXPECT_FALSE(ReplaceFileContent(Wide(path).c_str(), "x", 1));
    EXPECT_FALSE(FileExists(path));
}

}  // namespace
