#include "viewer/LayoutTrial.h"

#include "viewer/FaultGuard.h"

#include <usp10.h>

namespace {

struct Trial {
    HDC dc;
    const std::wstring* text;
};

// The edit control's own analysis of a line: links, fallback faces, glyphs, tabs.
void Analyse(void* context)
{
    Trial& trial = *static_cast<Trial*>(context);
    const int length = static_cast<int>(trial.text->size());
    SCRIPT_TABDEF tabs = {0, 0, nullptr, 0};  // the text holds no tabs
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    if (SUCCEEDED(::ScriptStringAnalyse(trial.dc, trial.text->c_str(), length, length * 3 / 2 + 16, -1,
                                        SSA_LINK | SSA_FALLBACK | SSA_GLYPHS | SSA_TAB, -1, nullptr, nullptr,
                                        nullptr, &tabs, nullptr, &analysis)))
        ::ScriptStringFree(&analysis);
}

}  // namespace

bool LayoutTrial::LaysOut(HFONT font, const std::vector<uint32_t>& characters)
{
    // Only Wine's layout code faults on a face's tables: elsewhere there is nothing to try.
    if (!UnderWine()) return true;
    LOGFONTW description;
    if (!font || ::GetObjectW(font, sizeof description, &description) != sizeof description) return true;
    // Not a vertical face: under Wine, laying one out here first changes how the box then
    // measures its glyphs (the first character twice as wide at some sizes).
    if (description.lfFaceName[0] == L'@') return true;
    // Texts come back (the built-in samples, a file opened again): answers are kept by the
    // set of characters, not by the text.
    uint64_t hash = 14695981039346656037ull;
    for (uint32_t c : characters) hash = (hash ^ c) * 1099511628211ull;
    std::wstring key = description.lfFaceName;
    key += L'/' + std::to_wstring(description.lfWeight) + L'/' + std::to_wstring(description.lfItalic) + L'/' +
           std::to_wstring(hash);
    auto known = m_answers.find(key);
    if (known != m_answers.end()) return known->second;
    if (m_answers.size() >= 4096) m_answers.clear();  // a long session's worth, then start over

    // One line of every character, in code point order: scripts stay together, as in a text.
    std::wstring text;
    text.reserve(characters.size() + 16);
    for (uint32_t c : characters) {
        if (c < 0x10000) {
            text += static_cast<wchar_t>(c);
        } else {
            text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    Guarded tried = Guarded::Unguarded;
    HDC dc = ::GetDC(nullptr);
    if (dc && !text.empty()) {
        HGDIOBJ old = ::SelectObject(dc, font);
        Trial trial = {dc, &text};
        tried = CallGuarded(Analyse, &trial);
        ::SelectObject(dc, old);
    }
    if (dc) ::ReleaseDC(nullptr, dc);
    // A face that could not be tried is taken, and tried again next time.
    if (tried == Guarded::Unguarded) return true;
    return m_answers[key] = tried == Guarded::Clean;
}
