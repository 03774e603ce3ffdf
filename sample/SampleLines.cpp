#include "sample/SampleLines.h"

#include <cstring>

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool IsSpecial(char c) { return c == '\r' || c == '\n' || c == '\0'; }

}  // namespace

void SampleTextBuilder::AddPiece(const char* piece, size_t length)
{
    const char* p = piece;
    const char* end = piece + length;
    if (!m_started && length > 0) {
        m_started = true;
        if (length >= 3 && memcmp(piece, kUtf8Mark, 3) == 0) {
            m_markedUtf8 = true;
            p += 3;
        }
    }
    while (p < end) {
        const char* run = p;
        while (p < end && !IsSpecial(*p)) ++p;
        if (p > run) {
            EndLoneCrLines();
            if (!m_lineCut) m_text.append(run, static_cast<size_t>(p - run));
            m_lineOpen = true;
        }
        if (p == end) break;
        switch (*p++) {
        case '\n':
            EndLine();
            break;
        case '\r':
            ++m_pendingCrs;
            m_lineOpen = true;
            break;
        default:  // NUL
            EndLoneCrLines();
            m_lineCut = true;
            m_lineOpen = true;
            break;
        }
    }
}

void SampleTextBuilder::Finish()
{
    if (m_lineOpen) EndLine();
}

void SampleTextBuilder::EndLine()
{
    // CRs just before the line's end are dropped.
    m_pendingCrs = 0;
    m_text += "\r\n";
    m_lineOpen = false;
    m_lineCut = false;
}

void SampleTextBuilder::EndLoneCrLines()
{
    if (m_pendingCrs == 0) return;
    for (; m_pendingCrs > 0; --m_pendingCrs) m_text += "\r\n";
    m_lineCut = false;
}
