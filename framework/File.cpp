#include "Framework.h"

bool CFile::Open(LPCSTR fileName, UINT openFlags)
{
    Close();
    DWORD access = GENERIC_READ;
    switch (openFlags & 3) {
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: break;
    }
    DWORD share = 0;
    switch (openFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: break;  // compatibility and exclusive modes share nothing
    }
    DWORD disposition = (openFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_hFile = ::CreateFileA(fileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
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
