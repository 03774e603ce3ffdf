#include "sample/SampleLines.h"

namespace {

bool IsSpecial(wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\0'; }

}  // namespace

void SampleTextBuilder::AddPiece(const wchar_t* piece, size_t length)
{
    const wchar_t* p = piece;
    const wchar_t* end = piece + length;
    while (p < end) {
        const wchar_t* run = p;
        while (p < end && !IsSpecial(*p)) ++p;
        if (p > run) {
            EndLoneCrLines();
            if (!m_lineCut) m_text.append(run, static_cast<size_t>(p - run));
            m_lineOpen = true;
        }
        if (p == end) break;
        switch (*p++) {
        case L'\n':
            EndLine();
            break;
        case L'\r':
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
    m_text += L"\r\n";
    m_lineOpen = false;
    m_lineCut = false;
}

void SampleTextBuilder::EndLoneCrLines()
{
    if (m_pendingCrs == 0) return;
    for (; m_pendingCrs > 0; --m_pendingCrs) m_text += L"\r\n";
    m_lineCut = false;
}

bool ShowsEveryCharacter(const std::wstring& decoded, const std::wstring& shown)
{
    size_t at = 0;
    auto lineBreak = [&] {
        if (shown.compare(at, 2, L"\r\n") != 0) return false;
        at += 2;
        return true;
    };
    const size_t size = decoded.size();
    for (size_t i = 0; i < size; ++i) {
        const wchar_t c = decoded[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < size && decoded[i + 1] == L'\n') ++i;
            if (!lineBreak()) return false;
        } else if (c == L'\0' || at >= shown.size() || shown[at++] != c) {
            return false;
        }
    }
    if (size > 0 && decoded[size - 1] != L'\r' && decoded[size - 1] != L'\n' && !lineBreak()) return false;
    return at == shown.size();
}
