#include "app/FileReplace.h"

#include "framework/File.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

const char kTemporaryMark[] = "~";

const UINT kChunk = 1u << 24;

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

// As the file was written before saves went through a temporary file: a failure
// midway can cost the old content, so this is only for folders that leave no choice.
bool RewriteInPlace(const char* path, const char* data, size_t size)
{
    CFile file;
    if (!file.Open(path, CFile::modeWrite)) return false;
    return WriteAll(file, data, size) && SetEndOfFile(file.m_hFile) != FALSE;
}

// "~sam-1a2b3c4d.tmp" for sample.txt: no longer than "Typoscope.ini" and four more, so
// that it fits wherever the program's own files fit, and tells whose it is.
bool TemporaryName(const char* path, const char* tail, char (&name)[MAX_PATH])
{
    const char* separator = strrchr(path, '\\');
    if (!separator || strlen(separator + 1) < 3) return false;
    int length = snprintf(name, sizeof name, "%.*s%s%.3s-%s", static_cast<int>(separator + 1 - path), path,
                          kTemporaryMark, separator + 1, tail);
    return length > 0 && static_cast<size_t>(length) < sizeof name;
}

bool IsHex(const char* text, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (!isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

}  // namespace

bool MakeTemporaryFile(const char* path, char (&temporary)[MAX_PATH])
{
    // A name of its own, so that two copies of the program never share one.
    static LONG counter = 0;
    unsigned long seed = (GetCurrentProcessId() << 16) ^ GetTickCount();
    for (int attempt = 0; attempt < 16; ++attempt) {
        char tail[16];
        snprintf(tail, sizeof tail, "%08lx.tmp",
                 (seed + static_cast<unsigned long>(InterlockedIncrement(&counter))) & 0xFFFFFFFFul);
        if (!TemporaryName(path, tail, temporary)) return false;
        HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

void RemoveLeftoverTemporaryFiles(const char* path)
{
    char pattern[MAX_PATH];
    if (!TemporaryName(path, "*.tmp", pattern)) return;
    const size_t folderLength = static_cast<size_t>(strrchr(path, '\\') - path) + 1;
    const size_t prefixLength = strlen(pattern) - strlen("*.tmp") - folderLength;

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // Only names of exactly the form this program gives.
        const size_t length = strlen(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || length != prefixLength + 12 ||
            !IsHex(found.cFileName + prefixLength, 8) || folderLength + length >= MAX_PATH)
            continue;
        char leftover[MAX_PATH];
        memcpy(leftover, path, folderLength);
        strcpy(leftover + folderLength, found.cFileName);
        DeleteFileA(leftover);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool MoveIntoPlace(const char* temporary, const char* path)
{
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    DWORD attributes = GetFileAttributesA(path);
    if (!MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return false;
    if (attributes != INVALID_FILE_ATTRIBUTES && (GetFileAttributesA(path) & kept) != (attributes & kept))
        SetFileAttributesA(path, (attributes & kept) ? (attributes & kept) : FILE_ATTRIBUTE_NORMAL);
    return true;
}

bool ReplaceFileContent(const char* path, const char* data, size_t size)
{
    CFile temporary;
    return ReplaceFileContent(path, data, size, temporary);
}

bool ReplaceFileContent(const char* path, const char* data, size_t size, CFile& temporary)
{
    if (!strrchr(path, '\\')) return false;
    RemoveLeftoverTemporaryFiles(path);
    char temporaryPath[MAX_PATH];
    if (!MakeTemporaryFile(path, temporaryPath)) return RewriteInPlace(path, data, size);

    bool written = temporary.Open(temporaryPath, CFile::modeWrite) && WriteAll(temporary, data, size);
    temporary.Close();
    if (written) written = MoveIntoPlace(temporaryPath, path);
    if (!written) DeleteFileA(temporaryPath);
    return written;
}
