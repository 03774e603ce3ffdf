#include "sample/FileReplace.h"

#include "framework/File.h"

#include <cstring>

bool ReplaceFileContent(const char* path, const char* data, size_t size)
{
    CFile temporary;
    return ReplaceFileContent(path, data, size, temporary);
}

bool ReplaceFileContent(const char* path, const char* data, size_t size, CFile& temporary)
{
    const char* separator = strrchr(path, '\\');
    if (!separator) return false;
    char folder[MAX_PATH];
    size_t folderLength = static_cast<size_t>(separator - path) + 1;
    if (folderLength >= sizeof folder) return false;
    memcpy(folder, path, folderLength);
    folder[folderLength] = '\0';

    // A name of its own, so that two copies of the program never share one.
    char temporaryPath[MAX_PATH];
    if (!GetTempFileNameA(folder, "smp", 0, temporaryPath)) return false;

    bool written = temporary.Open(temporaryPath, CFile::modeCreate | CFile::modeWrite);
    const UINT kChunk = 1u << 24;
    while (written && size > 0) {
        UINT count = size > kChunk ? kChunk : static_cast<UINT>(size);
        written = temporary.Write(data, count);
        data += count;
        size -= count;
    }
    if (written) written = FlushFileBuffers(temporary.m_hFile) != FALSE;
    temporary.Close();
    if (written) written = MoveFileExA(temporaryPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!written) DeleteFileA(temporaryPath);
    return written;
}
