#include "viewer/TypeToFind.h"

#include <cwctype>

namespace {

// No face name is longer: characters beyond this can only fail to match.
const size_t kLongestPrefix = 64;

bool SameLetter(wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }

}  // namespace

FaceSearch TypeToFind::Type(wchar_t character, unsigned long time)
{
    // Message times are 32-bit milliseconds; the difference stays right across their wrap.
    if (static_cast<unsigned long>(static_cast<unsigned>(time - m_lastTime)) > kPauseMs) m_typed.clear();
    m_lastTime = time;
    if (m_typed.size() < kLongestPrefix) m_typed += character;

    bool oneLetter = true;
    for (wchar_t typed : m_typed) oneLetter = oneLetter && SameLetter(typed, m_typed[0]);
    if (oneLetter) return {std::wstring(1, m_typed[0]), true};
    return {m_typed, false};
}
