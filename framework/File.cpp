#include "Framework.h"

namespace {

struct OpenMode {
    DWORD access, share, disposition;
};

OpenMode ModeOf(UINT openFlags)
{
    OpenMode mode = {GENERIC_READ, 0, (openFlags & CFile::modeCreate) ? DWORD(CREATE_ALWAYS) : DWORD(OPEN_EXISTING)};
    switch (openFlags & 3) {
    case CFile::modeWrite: mode.access = GENERIC_WRITE; break;
    case CFile::modeReadWrite: mode.access = GENERIC_READ | GENERIC_WRITE; break;
    default: break;
    }
    switch (openFlags & 0x70) {
    case CFile::shareDenyWrite: mode.share = FILE_SHARE_READ; break;
    case CFile::shareDenyRead: mode.share = FILE_SHARE_WRITE; break;
    case CFile::shareDenyNone: mode.share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: break;  // compatibility and exclusive modes share nothing
    }
    return mode;
}

}  // namespace

bool CFile::Open(LPCSTR fileName, UINT openFlags)
{
    Close();
    const OpenMode mode = ModeOf(openFlags);
    m_hFile = ::CreateFileA(fileName, mode.access, mode.share, nullptr, mode.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hFile != INVALID_HANDLE_VALUE;
}

bool CFile::Open(LPCWSTR fileName, UINT openFlags)
{
    Close();
    const OpenMode mode = ModeOf(openFlags);
    m_hFile = ::CreateFileW(fileName, mode.access, mode.share, nullptr, mode.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hFile != INVALID_HANDLE_VALUE;
}

bool CFile::Write(const void* buffer, UINT count)
{
    const char* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        DWORD written = 0;
        if (!::WriteFile(m_hFile, bytes, count, &written, nullptr) || written == 0) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

int CFile::Read(void* buffer, UINT count)
{
    DWORD read = 0;
    if (!::ReadFile(m_hFile, buffer, count, &read, nullptr)) return -1;
    return static_cast<int>(read);
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

bool CStdioFile::Open(LPCSTR fileName, UINT openFlags)
{
    m_begin = m_end = 0;
    m_eof = m_failed = false;
    if (!CFile::Open(fileName, openFlags)) return false;
    if (!m_buffer) m_buffer.reset(new char[kBufferSize]);
    return true;
}

void CStdioFile::Close()
{
    m_begin = m_end = 0;
    CFile::Close();
}

bool CStdioFile::Fill()
{
    if (m_eof || m_failed) return false;
    // Keep a CR that ends the buffer, so that a CR LF split across two reads still pairs.
    UINT kept = m_end - m_begin;
    memmove(m_buffer.get(), m_buffer.get() + m_begin, kept);
    m_begin = 0;
    m_end = kept;
    int read = Read(m_buffer.get() + m_end, kBufferSize - m_end);
    if (read < 0) {
        m_failed = true;
        return false;
    }
    if (read == 0) {
        m_eof = true;
        return false;
    }
    m_end += static_cast<UINT>(read);
    return true;
}

LPSTR CStdioFile::ReadString(LPSTR buffer, UINT maxCount, UINT* lengthRead)
{
    if (lengthRead) *lengthRead = 0;
    if (!IsOpen() || maxCount == 0) return nullptr;
    UINT length = 0;
    while (length + 1 < maxCount) {
        if (m_begin == m_end && !Fill()) break;
        char c = m_buffer[m_begin];
        if (c == '\r') {
            // A CR pairs with an LF that follows it; the pair reads as LF.
            if (m_begin + 1 == m_end && !Fill()) {
                // CR at the very end of the file stays a CR.
            }
            if (m_begin + 1 < m_end && m_buffer[m_begin + 1] == '\n') {
                m_begin += 2;
                buffer[length++] = '\n';
                break;
            }
        }
        ++m_begin;
        buffer[length++] = c;
        if (c == '\n') break;
    }
    buffer[length] = '\0';
    if (lengthRead) *lengthRead = length;
    if (length == 0) return nullptr;
    return buffer;
}
