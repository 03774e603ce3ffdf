// sample.txt as the close finds it, held so that others may only read it while the close
// decides, and kept as the backup from the very bytes it decided on.
#pragma once

#include "sample/FileContent.h"

#include <windows.h>

class SampleOnDisk {
public:
    // Opens the file at `path` and reads its bytes when its size is that of one of the
    // contents it is to be compared with (different sizes are different bytes). A file
    // that cannot be opened or read is present but unknown, and Error() tells why.
    SampleOnDisk(const wchar_t* path, const FileContent& either, const FileContent& orOther);
    ~SampleOnDisk() { Release(); }
    SampleOnDisk(const SampleOnDisk&) = delete;
    SampleOnDisk& operator=(const SampleOnDisk&) = delete;

    const FileContent& Content() const { return m_content; }
    // The file has other names (hard links, or it is a link itself): replacing it would
    // part them from the new text, so it is written in place.
    bool Linked() const { return m_linked; }
    DWORD Error() const { return m_error; }

    // Copies the bytes read into `backup` (sample-backup.txt). An earlier backup with other
    // bytes is first renamed with the next free number ("sample-backup-2.txt"), so no
    // backup is ever replaced and the plain name is always the newest. False, with
    // GetLastError, when no whole copy could be made.
    bool KeepAsBackup(const wchar_t* backup);
    // Lets the file go, so that it can be replaced.
    void Release();

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    unsigned long long m_size = 0;
    FileContent m_content;
    bool m_linked = false;
    DWORD m_error = ERROR_SUCCESS;
};

// The bytes of the open file, read from its start.
bool ReadContent(HANDLE file, FileContent& content);
