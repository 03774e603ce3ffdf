// Files and folders for the tests: byte-exact reads and writes, temporary folders.
#pragma once

#include <optional>
#include <string>

// A fresh folder under the temporary directory, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "typoscope");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }  // with a trailing backslash
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadFileBytes(const std::string& path);
// The same for long paths, in the form only the wide functions take whole.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool FileExists(const std::string& path);
// Dates the file's last write some hours back, as a leftover of a long-gone run.
bool MakeFileOld(const std::string& path, int hours = 2);
// The files whose names match the pattern ("folder\\*.tmp").
int CountFiles(const std::string& pattern);
void RemoveTree(const std::string& path);
// Bytes in the given code page (CP_ACP, CP_UTF8) as UTF-16 text.
std::wstring DecodedText(const std::string& bytes, unsigned codePage);

// The folder of the running test executable, with its trailing backslash.
std::string ExecutableFolder();
