#include "sample/SampleOnDisk.h"

#include "app/FileReplace.h"

#include <cwchar>
#include <new>
#include <string>
#include <vector>

namespace {

const DWORD kChunk = 1u << 20;

bool Rewind(HANDLE file)
{
    LARGE_INTEGER start{};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != FALSE;
}

// "sample-backup.txt" -> "sample-backup-" and ".txt".
bool SplitName(const wchar_t* backup, std::wstring& stem, std::wstring& extension)
{
    const wchar_t* dot = wcsrchr(backup, L'.');
    const wchar_t* separator = wcsrchr(backup, L'\\');
    if (!dot || !separator || dot < separator) return false;
    stem.assign(backup, dot).append(L"-");
    extension = dot;
    return true;
}

// Gives an earlier backup the next free number, so that it is kept beside the new one.
bool NumberEarlierBackup(const wchar_t* backup)
{
    std::wstring stem, extension;
    if (!SplitName(backup, stem, extension)) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    unsigned long highest = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((stem + L"*" + extension).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        const size_t prefix = wcslen(wcsrchr(stem.c_str(), L'\\') + 1);
        do {
            wchar_t* end = nullptr;
            const unsigned long number = wcstoul(found.cFileName + prefix, &end, 10);
            if (end && _wcsicmp(end, extension.c_str()) == 0 && number > highest && number < 1000000) highest = number;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    for (unsigned long number = highest + 1; number < highest + 100; ++number) {
        const std::wstring numbered = stem + std::to_wstring(number) + extension;
        if (MoveFileExW(backup, numbered.c_str(), 0)) return true;
        const DWORD error = GetLastError();
        // Another copy of the program numbered it first.
        if (error == ERROR_FILE_NOT_FOUND) return true;
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

// Whether the file at `path` holds exactly the bytes of `file`, which are `size` long.
bool HoldsSameBytes(const wchar_t* path, HANDLE file, unsigned long long size, FileContent& content)
{
    HANDLE other = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                               nullptr);
    if (other == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER otherSize{};
    FileContent held;
    // Files of other sizes are not read at all.
    const bool same = GetFileSizeEx(other, &otherSize) && static_cast<unsigned long long>(otherSize.QuadPart) == size &&
                      ReadContent(other, held) && (content.known || ReadContent(file, content)) &&
                      held.SameBytes(content);
    CloseHandle(other);
    return same;
}

}  // namespace

bool ReadContent(HANDLE file, FileContent& content)
{
    content = FileContent::Empty();
    if (!Rewind(file)) return false;
    std::vector<char> chunk(kChunk);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, chunk.data(), kChunk, &read, nullptr)) return false;
        if (read == 0) return true;
        content.Add(chunk.data(), read);
    }
}

SampleOnDisk::SampleOnDisk(const wchar_t* path, const FileContent& either, const FileContent& orOther)
{
    // Others may go on reading it; nobody writes it while the close decides.
    m_file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                         nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        m_error = GetLastError();
        m_content = m_error == ERROR_FILE_NOT_FOUND || m_error == ERROR_PATH_NOT_FOUND ? FileContent::Missing()
                                                                                      : FileContent::Unknown();
        return;
    }
    BY_HANDLE_FILE_INFORMATION information;
    const DWORD attributes = GetFileAttributesW(path);
    m_linked = (GetFileInformationByHandle(m_file, &information) && information.nNumberOfLinks > 1) ||
               (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_file, &size)) {
        m_error = GetLastError();
        m_content = FileContent::Unknown();
        return;
    }
    m_size = static_cast<unsigned long long>(size.QuadPart);
    m_content = FileContent::Unknown();
    m_content.size = m_size;
    if (m_size != either.size && m_size != orOther.size) return;
    try {
        if (ReadContent(m_file, m_content)) return;
        m_error = GetLastError();
    } catch (const std::bad_alloc&) {
        m_error = ERROR_NOT_ENOUGH_MEMORY;
    }
    m_content = FileContent::Unknown();
}

void SampleOnDisk::Release()
{
    if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

bool SampleOnDisk::KeepAsBackup(const wchar_t* backup)
{
    if (m_file == INVALID_HANDLE_VALUE || m_error != ERROR_SUCCESS) {
        SetLastError(m_error != ERROR_SUCCESS ? m_error : ERROR_INVALID_HANDLE);
        return false;
    }
    std::wstring temporary;
    if (!MakeTemporaryFile(backup, temporary)) return false;
    HANDLE copy = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
    bool whole = copy != INVALID_HANDLE_VALUE;
    FileContent copied = FileContent::Empty();
    if (whole) {
        try {
            std::vector<char> chunk(kChunk);
            whole = Rewind(m_file);
            for (DWORD read = 1; whole && read > 0;) {
                DWORD written = 0;
                whole = ReadFile(m_file, chunk.data(), kChunk, &read, nullptr) &&
                        WriteFile(copy, chunk.data(), read, &written, nullptr) && written == read;
                copied.Add(chunk.data(), read);
            }
        } catch (const std::bad_alloc&) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            whole = false;
        }
        // Only the bytes the close decided on, on the disk before they count as kept.
        if (whole && (copied.size != m_size || (m_content.known && !copied.SameBytes(m_content)))) {
            SetLastError(ERROR_FILE_INVALID);
            whole = false;
        }
        whole = whole && FlushFileBuffers(copy);
        const DWORD error = GetLastError();
        CloseHandle(copy);
        SetLastError(error);
    }
    // No backup is ever replaced: the same bytes are kept already, other bytes are kept
    // under a number, also when another copy of the program made this one meanwhile.
    for (int attempt = 0; whole && attempt < 4; ++attempt) {
        const DWORD existing = GetFileAttributesW(backup);
        if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY)) {
            SetLastError(ERROR_ACCESS_DENIED);
            whole = false;
        } else if (existing != INVALID_FILE_ATTRIBUTES && HoldsSameBytes(backup, m_file, m_size, m_content)) {
            DeleteFileW(temporary.c_str());
            return true;
        } else if (existing != INVALID_FILE_ATTRIBUTES && !NumberEarlierBackup(backup)) {
            whole = false;
        } else if (MoveIntoPlace(temporary.c_str(), backup, false)) {
            return true;
        } else {
            whole = GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS;
        }
    }
    {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        SetLastError(error);
    }
    return false;
}
