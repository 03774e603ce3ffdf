#include "sample/SampleLines.h"

#include <cstring>

void SampleTextBuilder::AddPiece(const char* piece, size_t length)
{
    if (length == 0) return;
    m_lineOpen = true;
    bool endsLine = piece[length - 1] == '\n';
    if (!m_lineCut) {
        const void* nul = memchr(piece, '\0', length);
        size_t kept = nul ? static_cast<size_t>(static_cast<const char*>(nul) - piece) : length;
        m_text.append(piece, kept);
        m_lineCut = nul != nullptr;
    }
    if (endsLine) EndLine();
}

void SampleTextBuilder::Finish()
{
    if (m_lineOpen) EndLine();
}

void SampleTextBuilder::EndLine()
{
    while (m_text.size() > m_lineStart && (m_text.back() == '\r' || m_text.back() == '\n')) m_text.pop_back();
    m_text += "\r\n";
    m_lineStart = m_text.size();
    m_lineOpen = false;
    m_lineCut = false;
}
