// Files: CFile for raw bytes, CStdioFile for text read line by line.
#pragma once

#include <windows.h>

#include <memory>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile() { Close(); }

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

    // shareCompat and shareExclusive open the file without sharing.
    virtual bool Open(LPCSTR fileName, UINT openFlags);
    // The same for a name beyond the code page.
    bool Open(LPCWSTR fileName, UINT openFlags);
    // False unless every byte was written.
    virtual bool Write(const void* buffer, UINT count);
    // The number of bytes read; -1 on a read error.
    int Read(void* buffer, UINT count);
    virtual void Close();
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
};

// Text in the runtime's text mode: each CR LF pair reads as one LF.
class CStdioFile : public CFile {
public:
    using CFile::Open;
    bool Open(LPCSTR fileName, UINT openFlags) override;
    void Close() override;

    // Reads the next line with its LF, or at most maxCount - 1 characters of it, and
    // terminates it, giving the number of characters read, NUL bytes included. Null at
    // the end of the file or on a read error.
    LPSTR ReadString(LPSTR buffer, UINT maxCount, UINT* length);

private:
    bool Fill();

    static const UINT kBufferSize = 64 * 1024;
    std::unique_ptr<char[]> m_buffer;
    UINT m_begin = 0, m_end = 0;
    bool m_eof = false, m_failed = false;
};
