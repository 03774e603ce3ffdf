#include "viewer/MissingCharacters.h"

#include "viewer/FontDescription.h"

#include <algorithm>
#include <cstddef>
#include <new>

namespace {

// The table tag as the platform takes it: the four letters in file order.
const DWORD kCmapTag = 0x70616D63;
// No real character map comes near this; a larger answer is no map to read.
const DWORD kLargestMap = 16u << 20;

// A memory device context with the face selected, made as the preview makes its font, so
// that the face asked about is the face the preview shows.
class FaceContext {
public:
    explicit FaceContext(const char* name) : m_dc(CreateCompatibleDC(nullptr))
    {
        PreviewFontInputs inputs = {name, 12, false, false, false, false};
        LOGFONTA description = DescribePreviewFont(inputs);
        description.lfHeight = -16;  // a character map is the same at every size
        m_font = CreateFontIndirectA(&description);
        if (m_dc && m_font) m_old = SelectObject(m_dc, m_font);
    }
    ~FaceContext()
    {
        if (m_old) SelectObject(m_dc, m_old);
        if (m_font) DeleteObject(m_font);
        if (m_dc) DeleteDC(m_dc);
    }
    FaceContext(const FaceContext&) = delete;
    FaceContext& operator=(const FaceContext&) = delete;
    HDC Dc() const { return m_old ? m_dc : nullptr; }

private:
    HDC m_dc;
    HFONT m_font = nullptr;
    HGDIOBJ m_old = nullptr;
};

bool IsControl(uint32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

// Characters that draw nothing by themselves (Unicode's default-ignorable code points, the
// variation selectors among them): no face is missing them, whatever its map says.
bool DrawsNothing(uint32_t c)
{
    static const CodePointRange kIgnorable[] = {
        {0x00AD, 0x00AD}, {0x034F, 0x034F}, {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
        {0x180B, 0x180F}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164},
        {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3},
        {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
    };
    for (const CodePointRange& range : kIgnorable)
        if (c >= range.first && c <= range.last) return true;
    return false;
}

}  // namespace

bool MissingCharacters::TakeText(HWND box)
{
    int length = ::GetWindowTextLengthW(box);
    if (length < 0) length = 0;
    try {
        // A buffer far larger than the text (a long file replaced by a short one) is let go.
        if (m_text.capacity() > (1u << 20) && m_text.capacity() / 4 > static_cast<size_t>(length))
            std::vector<wchar_t>().swap(m_text);
        m_text.resize(static_cast<size_t>(length) + 1);
    } catch (const std::bad_alloc&) {
        // No room for a copy: nothing can be told about the text, so nothing is marked.
        return Forget();
    }
    int read = length > 0 ? ::GetWindowTextW(box, m_text.data(), length + 1) : 0;
    return TakeText(m_text.data(), static_cast<size_t>(read > 0 ? read : 0));
}

bool MissingCharacters::TakeText(const wchar_t* text, size_t length)
{
    std::vector<uint32_t> previous;
    try {
        previous.swap(m_characters);
        m_bmpCount.assign(0x10000, 0);
        m_astralCount.clear();
        uint32_t* count = m_bmpCount.data();
        const wchar_t* end = text + length;
        for (const wchar_t* p = text; p < end;) {
            uint32_t c = static_cast<uint16_t>(*p++);
            if (c - 0xD800u >= 0x800u) {
                ++count[c];
                continue;
            }
            // A pair of surrogates is one character beyond the BMP; a lone one is none.
            if (c >= 0xDC00u || p == end || static_cast<uint16_t>(*p) - 0xDC00u >= 0x400u) continue;
            ++m_astralCount[0x10000u + ((c - 0xD800u) << 10) + (static_cast<uint16_t>(*p++) - 0xDC00u)];
        }
        for (uint32_t c = 0; c < 0x10000; ++c)
            if (count[c] && !IsControl(c)) m_characters.push_back(c);
        size_t bmp = m_characters.size();
        for (const auto& astral : m_astralCount) m_characters.push_back(astral.first);
        std::sort(m_characters.begin() + static_cast<std::ptrdiff_t>(bmp), m_characters.end());
        m_length = length;
    } catch (const std::bad_alloc&) {
        // Nothing can be told about the text, so nothing is marked.
        return Forget();
    }
    if (m_characters == previous) return false;
    ++m_generation;
    return true;
}

bool MissingCharacters::Forget()
{
    m_characters.clear();
    m_bmpCount.clear();
    m_astralCount.clear();
    m_length = 0;
    ++m_generation;
    return true;
}

bool MissingCharacters::Added(uint32_t c)
{
    if (m_bmpCount.empty()) return false;  // nothing counted: the next whole text decides
    ++m_length;
    try {
        uint32_t& count = c < 0x10000 ? m_bmpCount[c] : m_astralCount[c];
        if (count++ || IsControl(c)) return false;
        m_characters.insert(std::lower_bound(m_characters.begin(), m_characters.end(), c), c);
    } catch (const std::bad_alloc&) {
        return Forget();
    }
    ++m_generation;
    return true;
}

bool MissingCharacters::Removed(uint32_t c)
{
    if (m_bmpCount.empty()) return false;
    if (m_length) --m_length;
    uint32_t* count = nullptr;
    if (c < 0x10000) count = &m_bmpCount[c];
    else if (m_astralCount.count(c)) count = &m_astralCount[c];
    if (!count || !*count || --*count || IsControl(c)) return false;
    if (c >= 0x10000) m_astralCount.erase(c);
    auto at = std::lower_bound(m_characters.begin(), m_characters.end(), c);
    if (at != m_characters.end() && *at == c) m_characters.erase(at);
    ++m_generation;
    return true;
}

bool MissingCharacters::Lacks(const char* name)
{
    try {
        if (m_visibleFor != m_generation) {
            m_visible.clear();
            for (uint32_t c : m_characters)
                if (!DrawsNothing(c)) m_visible.push_back(c);
            m_visibleFor = m_generation;
        }
        if (m_visible.empty()) return false;
        Face& face = m_faces[name];
        if (face.answeredFor == m_generation) return face.lacks;
        if (!face.mapRead) {
            ReadMap(name, face);
            face.mapRead = true;
        }
        face.lacks = face.hasMap ? !CoversAll(face.map, m_visible) : LacksGlyphs(name);
        face.answeredFor = m_generation;
        return face.lacks;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void MissingCharacters::ReadMap(const char* name, Face& face) const
{
    face.hasMap = false;
    face.map.clear();
    FaceContext context(name);
    if (!context.Dc()) return;
    DWORD size = GetFontData(context.Dc(), kCmapTag, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0 || size > kLargestMap) return;
    std::vector<unsigned char> table(size);
    if (GetFontData(context.Dc(), kCmapTag, 0, table.data(), size) != size) return;
    face.hasMap = ReadCharacterMap(table.data(), size, face.map);
}

bool MissingCharacters::LacksGlyphs(const char* name) const
{
    // Raster and vector faces have no character map; they hold nothing beyond the BMP.
    std::vector<wchar_t> characters;
    for (uint32_t c : m_visible) {
        if (c > 0xFFFF) return true;
        characters.push_back(static_cast<wchar_t>(c));
    }
    FaceContext context(name);
    if (!context.Dc()) return false;
    std::vector<WORD> glyphs(characters.size());
    if (GetGlyphIndicesW(context.Dc(), characters.data(), static_cast<int>(characters.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return false;
    for (WORD glyph : glyphs)
        if (glyph == 0xFFFF) return true;
    return false;
}
