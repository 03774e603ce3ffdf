#include "viewer/FontFileNames.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace {

// Big-endian reads inside the file. Each read also spends from a budget in proportion to the
// file's size, so offsets that send the reader over the same bytes again and again (faces of
// a collection sharing one directory) cannot make it loop: past the budget it is damaged.
class FileReader {
public:
    FileReader(const unsigned char* data, size_t size) : m_data(data), m_size(size), m_budget(4 * size + 1024) {}
    uint32_t U16(size_t at) { return Fits(at, 2) ? static_cast<uint32_t>(m_data[at] << 8 | m_data[at + 1]) : 0; }
    uint32_t U32(size_t at) { return Fits(at, 4) ? U16(at) << 16 | U16(at + 2) : 0; }
    bool Fits(size_t at, size_t length)
    {
        if (at > m_size || m_size - at < length || m_budget < length) m_whole = false;
        else m_budget -= length;
        return m_whole;
    }
    bool Whole() const { return m_whole; }
    const unsigned char* At(size_t at) const { return m_data + at; }

private:
    const unsigned char* m_data;
    size_t m_size;
    size_t m_budget;
    bool m_whole = true;
};

const uint32_t kTrueType = 0x00010000, kOpenType = 0x4F54544F /* OTTO */, kApple = 0x74727565 /* true */,
               kCollection = 0x74746366 /* ttcf */, kNameTag = 0x6E616D65 /* name */;

bool IsFace(uint32_t version) { return version == kTrueType || version == kOpenType || version == kApple; }

// How well a name record names the family: 0 not at all, higher is better.
int Rank(uint32_t platform, uint32_t encoding, uint32_t language, uint32_t nameId)
{
    if (nameId != 1) return 0;
    if (platform == 3 && (encoding == 1 || encoding == 10 || encoding == 0)) return language == 0x409 ? 3 : 2;
    return platform == 1 && encoding == 0 && language == 0 ? 1 : 0;
}

// The family name of the face whose table directory starts at `at`; empty when it has none.
FontFileNames ReadFace(FileReader& r, size_t at, std::u16string& family)
{
    const size_t tables = r.U16(at + 4);
    size_t name = 0, nameLength = 0;
    for (size_t i = 0; i < tables && r.Whole(); ++i) {
        const size_t record = at + 12 + 16 * i;
        const uint32_t offset = r.U32(record + 8), length = r.U32(record + 12);
        // Every table lies inside the file: one that does not tells a file cut short.
        if (!r.Fits(offset, 0) || length > SIZE_MAX - offset || !r.Fits(offset + length, 0))
            return FontFileNames::Damaged;
        if (r.U32(record) == kNameTag) name = offset, nameLength = length;
    }
    if (!r.Whole()) return FontFileNames::Damaged;
    if (nameLength < 6) return FontFileNames::Unnamed;
    const size_t count = r.U16(name + 2), strings = name + r.U16(name + 4);
    int best = 0;
    size_t bestAt = 0, bestLength = 0;
    for (size_t i = 0; i < count && r.Whole(); ++i) {
        const size_t record = name + 6 + 12 * i;
        if (record + 12 > name + nameLength) return FontFileNames::Damaged;
        const int rank = Rank(r.U16(record), r.U16(record + 2), r.U16(record + 4), r.U16(record + 6));
        if (rank > best) best = rank, bestLength = r.U16(record + 8), bestAt = strings + r.U16(record + 10);
    }
    if (!r.Whole() || (best && !r.Fits(bestAt, bestLength))) return FontFileNames::Damaged;
    family.clear();
    const unsigned char* text = r.At(bestAt);
    if (best >= 2) {
        for (size_t i = 0; i + 1 < bestLength; i += 2) family += static_cast<char16_t>(text[i] << 8 | text[i + 1]);
    } else {
        for (size_t i = 0; i < bestLength; ++i) {
            if (text[i] >= 0x80) return FontFileNames::Unnamed;  // beyond ASCII, Mac Roman is not read here
            family += static_cast<char16_t>(text[i]);
        }
    }
    // A name cut at its first NUL, as the platform reads it.
    family.resize(std::min(family.size(), family.find(u'\0')));
    return family.empty() ? FontFileNames::Unnamed : FontFileNames::Read;
}

}  // namespace

FontFileNames ReadFontFileNames(const unsigned char* data, size_t size, std::vector<std::u16string>& families)
{
    families.clear();
    FileReader r(data, size);
    const uint32_t version = size >= 4 ? r.U32(0) : 0;
    std::vector<size_t> faces;
    if (version == kCollection) {
        const size_t count = r.U32(8);
        // More offsets than the file has room for: not a collection worth reading.
        if (size < 12 || count > (size - 12) / 4) return FontFileNames::Damaged;
        for (size_t i = 0; i < count && r.Fits(12 + 4 * i, 4); ++i) faces.push_back(r.U32(12 + 4 * i));
        if (!r.Whole() || faces.empty()) return FontFileNames::Damaged;
    } else if (IsFace(version)) {
        faces.push_back(0);
    } else {
        return FontFileNames::NotAFont;
    }
    std::set<std::u16string> seen;
    for (size_t at : faces) {
        std::u16string family;
        const FontFileNames read = IsFace(r.U32(at)) ? ReadFace(r, at, family)
                                   : r.Whole()       ? FontFileNames::NotAFont
                                                     : FontFileNames::Damaged;
        if (read != FontFileNames::Read) {
            families.clear();
            return read;
        }
        if (seen.insert(family).second) families.push_back(family);
    }
    return FontFileNames::Read;
}
