#include "app/FileReplace.h"

#include "framework/File.h"

#include <cwctype>

namespace {

const wchar_t kTemporaryMark[] = L"~";

const UINT kChunk = 1u << 24;

// A save writes its temporary file within moments of making it; one untouched for this
// long (an hour, in the file times' 100-nanosecond units) belongs to no save still running.
const ULONGLONG kLeftoverAge = 3600ull * 10000000ull;

// Keeps the first failure's reason across the clean-up that follows it.
class ErrorKeeper {
public:
    ErrorKeeper() : m_error(GetLastError()) {}
    ~ErrorKeeper() { SetLastError(m_error); }
    ErrorKeeper(const ErrorKeeper&) = delete;
    ErrorKeeper& operator=(const ErrorKeeper&) = delete;

private:
    DWORD m_error;
};

bool WriteAll(CFile& file, const char* data, size_t size)
{
    bool written = true;
    while (written && size > 0) {
        UINT count = size > kChunk ? kChunk : static_cast<UINT>(size);
        written = file.Write(data, count);
        data += count;
        size -= count;
    }
    return written && FlushFileBuffers(file.m_hFile) != FALSE;
}

bool MoveTo(HANDLE file, LONGLONG offset)
{
    LARGE_INTEGER at;
    at.QuadPart = offset;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != FALSE;
}

// "~sam-1a2b3c4d.tmp" for sample.txt: no longer than "Typoscope.ini" and four more, so
// that it fits wherever the program's own files fit, and tells whose it is.
bool TemporaryName(const wchar_t* path, const wchar_t* tail, std::wstring& name)
{
    const wchar_t* separator = wcsrchr(path, L'\\');
    if (!separator || wcslen(separator + 1) < 3) return false;
    name.assign(path, separator + 1);
    name.append(kTemporaryMark).append(separator + 1, 3).append(L"-").append(tail);
    return true;
}

bool IsHex(const wchar_t* text, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (!iswxdigit(text[i])) return false;
    return true;
}

ULONGLONG FileTimeValue(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// "C:\dir\sample.txt" and "1a2b3c4d.tmp" -> "C:\dir\sample (recovered 1a2b3c4d).txt": a
// name no clean-up touches, that says whose it is.
void KeepRecovered(const std::wstring& leftover, const wchar_t* path, const wchar_t* tail)
{
    std::wstring name = path;
    const size_t dot = name.find_last_of(L'.');
    const size_t separator = name.find_last_of(L'\\');
    const size_t at = dot != std::wstring::npos && dot > separator ? dot : name.size();
    name.insert(at, std::wstring(L" (recovered ") + std::wstring(tail, 8) + L")");
    MoveFileExW(leftover.c_str(), name.c_str(), 0);
}

}  // namespace

bool MakeTemporaryFile(const wchar_t* path, std::wstring& temporary)
{
    // A name of its own, so that two copies of the program never share one.
    static LONG counter = 0;
    unsigned long seed = (GetCurrentProcessId() << 16) ^ GetTickCount();
    for (int attempt = 0; attempt < 16; ++attempt) {
        wchar_t tail[16];
        _snwprintf(tail, 16, L"%08lx.tmp",
                   (seed + static_cast<unsigned long>(InterlockedIncrement(&counter))) & 0xFFFFFFFFul);
        tail[15] = L'\0';
        if (!TemporaryName(path, tail, temporary)) {
            SetLastError(ERROR_INVALID_NAME);
            return false;
        }
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

bool FolderTakesNoNewFile(DWORD error)
{
    // A full disk counts: the in-place write needs no new room before it has failed safely.
    return error == ERROR_ACCESS_DENIED || error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

void RemoveLeftoverTemporaryFiles(const wchar_t* path)
{
    ErrorKeeper keeper;
    std::wstring pattern;
    if (!TemporaryName(path, L"*.tmp", pattern)) return;
    const size_t folderLength = static_cast<size_t>(wcsrchr(path, L'\\') - path) + 1;
    const size_t prefixLength = pattern.size() - wcslen(L"*.tmp") - folderLength;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    WIN32_FILE_ATTRIBUTE_DATA file;
    const ULONGLONG fileWritten = GetFileAttributesExW(path, GetFileExInfoStandard, &file)
                                      ? FileTimeValue(file.ftLastWriteTime)
                                      : 0;

    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // Only names of exactly the form this program gives, and only old ones. One written
        // after the file may be a save that ended before its move, holding newer content.
        const size_t length = wcslen(found.cFileName);
        const ULONGLONG written = FileTimeValue(found.ftLastWriteTime);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || length != prefixLength + 12 ||
            !IsHex(found.cFileName + prefixLength, 8) || FileTimeValue(now) < written ||
            FileTimeValue(now) - written < kLeftoverAge)
            continue;
        const std::wstring leftover = pattern.substr(0, folderLength) + found.cFileName;
        if (written <= fileWritten) DeleteFileW(leftover.c_str());
        else KeepRecovered(leftover, path, found.cFileName + prefixLength);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool AppendFileBytes(const wchar_t* source, CFile& file)
{
    CFile from;
    if (!from.Open(source, CFile::modeRead | CFile::shareDenyWrite)) return false;
    std::string chunk(1u << 16, '\0');
    for (;;) {
        const int read = from.Read(&chunk[0], static_cast<UINT>(chunk.size()));
        if (read < 0) return false;
        if (read == 0) return true;
        if (!file.Write(chunk.data(), static_cast<UINT>(read))) return false;
    }
}

bool MoveIntoPlace(const wchar_t* temporary, const wchar_t* path, bool overExisting)
{
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = GetFileAttributesW(path);
    // A read-only file is the user's wish to keep it, which a rename would not honour.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!MoveFileExW(temporary, path, (overExisting ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH))
        return false;
    // What the user set on the file stays, and backup programs see that it changed.
    const DWORD wanted = FILE_ATTRIBUTE_ARCHIVE | (attributes != INVALID_FILE_ATTRIBUTES ? attributes & kept : 0);
    if ((GetFileAttributesW(path) & (kept | FILE_ATTRIBUTE_ARCHIVE)) != wanted) SetFileAttributesW(path, wanted);
    return true;
}

bool RewriteInPlace(const wchar_t* path, const char* data, size_t size, CFile& file)
{
    if (!file.Open(path, CFile::modeWrite)) return false;
    LARGE_INTEGER old{};
    if (!GetFileSizeEx(file.m_hFile, &old)) return false;
    const size_t overwritten = static_cast<ULONGLONG>(old.QuadPart) < size ? static_cast<size_t>(old.QuadPart) : size;
    if (size > overwritten &&
        !(MoveTo(file.m_hFile, old.QuadPart) && WriteAll(file, data + overwritten, size - overwritten))) {
        // The room taken so far is given back; the old bytes were never touched.
        ErrorKeeper keeper;
        if (MoveTo(file.m_hFile, old.QuadPart)) SetEndOfFile(file.m_hFile);
        return false;
    }
    return MoveTo(file.m_hFile, 0) && WriteAll(file, data, overwritten) &&
           MoveTo(file.m_hFile, static_cast<LONGLONG>(size)) && SetEndOfFile(file.m_hFile);
}

bool ReplaceFileContent(const wchar_t* path, const char* data, size_t size, const ReplaceWay& way)
{
    CFile file;
    return ReplaceFileContent(path, data, size, file, way);
}

bool ReplaceFileContent(const wchar_t* path, const char* data, size_t size, CFile& file, const ReplaceWay& way)
{
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    auto inPlace = [&] {
        if (way.letGo) way.letGo();
        return RewriteInPlace(path, data, size, file);
    };
    if (attributes != INVALID_FILE_ATTRIBUTES && way.inPlace == InPlace::Always) return inPlace();
    RemoveLeftoverTemporaryFiles(path);
    std::wstring temporary;
    if (!MakeTemporaryFile(path, temporary)) {
        if (attributes != INVALID_FILE_ATTRIBUTES && way.inPlace == InPlace::WhenNoNewFile &&
            FolderTakesNoNewFile(GetLastError()))
            return inPlace();
        return false;
    }
    bool written = file.Open(temporary.c_str(), CFile::modeWrite) && WriteAll(file, data, size);
    {
        ErrorKeeper keeper;
        file.Close();
    }
    if (written && way.letGo) way.letGo();
    if (written) written = MoveIntoPlace(temporary.c_str(), path, way.overExisting);
    if (!written) {
        ErrorKeeper keeper;
        DeleteFileW(temporary.c_str());
    }
    return written;
}
