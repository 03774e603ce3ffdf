#include "viewer/CharacterMap.h"

#include <algorithm>

namespace {

// Big-endian reads that stay inside the table; a read past its end gives 0 and marks it broken.
class TableReader {
public:
    TableReader(const unsigned char* data, size_t size) : m_data(data), m_size(size) {}
    uint32_t U16(size_t at)
    {
        if (at > m_size || m_size - at < 2) return Broken();
        return static_cast<uint32_t>(m_data[at] << 8 | m_data[at + 1]);
    }
    uint32_t U32(size_t at)
    {
        if (at > m_size || m_size - at < 4) return Broken();
        return static_cast<uint32_t>(m_data[at]) << 24 | static_cast<uint32_t>(m_data[at + 1]) << 16 |
               static_cast<uint32_t>(m_data[at + 2]) << 8 | m_data[at + 3];
    }
    bool Whole() const { return m_whole; }
    size_t Size() const { return m_size; }

private:
    uint32_t Broken()
    {
        m_whole = false;
        return 0;
    }
    const unsigned char* m_data;
    size_t m_size;
    bool m_whole = true;
};

// Adds one code point or a run to the ranges, which grow in ascending order.
void Add(std::vector<CodePointRange>& ranges, uint32_t first, uint32_t last)
{
    if (!ranges.empty() && first <= ranges.back().last + 1) {
        ranges.back().last = std::max(ranges.back().last, last);
        return;
    }
    ranges.push_back({first, last});
}

// Format 4: segments of the Basic Multilingual Plane. A segment starts no lower than the
// end of the one before (the segments ascend), so each code is looked at once at most,
// however the segments overlap: the time stays in proportion to the table's size.
bool ReadFormat4(TableReader& r, size_t at, std::vector<CodePointRange>& ranges)
{
    size_t segments = r.U16(at + 6) / 2;
    size_t ends = at + 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
           offsets = deltas + 2 * segments;
    r.U16(offsets + 2 * segments - 2);  // the four arrays lie inside the table
    uint32_t next = 0;  // the lowest code a segment may still start at
    for (size_t i = 0; i < segments && r.Whole() && next <= 0xFFFE; ++i) {
        uint32_t end = r.U16(ends + 2 * i), first = r.U16(starts + 2 * i), start = std::max(first, next);
        uint32_t delta = r.U16(deltas + 2 * i), offset = r.U16(offsets + 2 * i);
        if (end == 0xFFFF) end = 0xFFFE;  // the closing segment maps U+FFFF, a non-character
        if (start > end) continue;
        next = end + 1;
        if (offset == 0) {
            // Every code lands on a glyph but the one the delta takes to glyph 0.
            uint32_t missing = (0x10000 - delta) & 0xFFFF;
            if (missing > start) Add(ranges, start, std::min(end, missing - 1));
            if (missing < end) Add(ranges, std::max(start, missing + 1), end);
            continue;
        }
        for (uint32_t c = start; c <= end && r.Whole(); ++c) {
            uint32_t glyph = r.U16(offsets + 2 * i + offset + 2 * (c - first));
            if (glyph && ((glyph + delta) & 0xFFFF)) Add(ranges, c, c);
        }
    }
    return r.Whole();
}

// Format 6: one run of consecutive codes.
bool ReadFormat6(TableReader& r, size_t at, std::vector<CodePointRange>& ranges)
{
    uint32_t first = r.U16(at + 6), count = r.U16(at + 8);
    for (uint32_t i = 0; i < count && r.Whole(); ++i)
        if (r.U16(at + 10 + 2 * i)) Add(ranges, first + i, first + i);
    return r.Whole();
}

// Formats 12 and 13: groups over all planes, glyphs consecutive (12) or one for the group (13).
bool ReadGroups(TableReader& r, size_t at, bool oneGlyph, std::vector<CodePointRange>& ranges)
{
    uint32_t groups = r.U32(at + 12);
    if (!r.Whole() || groups > (r.Size() - at) / 12) return false;
    std::vector<CodePointRange> read;
    for (uint32_t i = 0; i < groups; ++i) {
        size_t group = at + 16 + 12 * static_cast<size_t>(i);
        uint32_t first = r.U32(group), last = std::min<uint32_t>(r.U32(group + 4), 0x10FFFF);
        uint32_t glyph = r.U32(group + 8);
        if (first > last) continue;
        if (glyph == 0) {
            if (oneGlyph || first == last) continue;
            ++first;  // only the first code of the group lands on the missing glyph
        }
        read.push_back({first, last});
    }
    if (!r.Whole()) return false;
    // Groups should come in order, but a font's word is not taken for it.
    std::sort(read.begin(), read.end(), [](const CodePointRange& a, const CodePointRange& b) { return a.first < b.first; });
    for (const CodePointRange& range : read) Add(ranges, range.first, range.last);
    return true;
}

bool ReadSubtable(TableReader& r, size_t at, std::vector<CodePointRange>& ranges)
{
    switch (r.U16(at)) {
    case 4: return ReadFormat4(r, at, ranges);
    case 6: return ReadFormat6(r, at, ranges);
    case 12: return ReadGroups(r, at, false, ranges);
    case 13: return ReadGroups(r, at, true, ranges);
    default: return false;
    }
}

// How much a subtable is preferred: the full repertoire, then the BMP, then symbols; 0 unusable.
int Preference(uint32_t platform, uint32_t encoding, uint32_t format)
{
    bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
    if (unicode && (format == 12 || format == 13)) return 3;
    if (unicode && (format == 4 || format == 6)) return 2;
    if (platform == 3 && encoding == 0 && (format == 4 || format == 6)) return 1;
    return 0;
}

// Text drawn in a symbol font reaches its F0xx codes from 00xx.
void AddSymbolAliases(std::vector<CodePointRange>& ranges)
{
    std::vector<CodePointRange> all = ranges;
    for (const CodePointRange& range : ranges) {
        uint32_t first = std::max<uint32_t>(range.first, 0xF020), last = std::min<uint32_t>(range.last, 0xF0FF);
        if (first <= last) all.push_back({first - 0xF000, last - 0xF000});
    }
    std::sort(all.begin(), all.end(), [](const CodePointRange& a, const CodePointRange& b) { return a.first < b.first; });
    ranges.clear();
    for (const CodePointRange& range : all) Add(ranges, range.first, range.last);
}

}  // namespace

bool ReadCharacterMap(const unsigned char* table, size_t size, std::vector<CodePointRange>& ranges)
{
    ranges.clear();
    // Each encoding record on its own: one that points nowhere or at an unreadable subtable
    // leaves the others, tried best first, in the order the table lists them.
    struct Candidate {
        int preference;
        size_t at;
    };
    std::vector<Candidate> candidates;
    TableReader header(table, size);
    uint32_t count = header.U16(2);
    for (uint32_t i = 0; i < count; ++i) {
        TableReader r(table, size);
        size_t record = 4 + 8 * static_cast<size_t>(i);
        uint32_t platform = r.U16(record), encoding = r.U16(record + 2);
        size_t at = r.U32(record + 4);
        if (!r.Whole()) break;  // the records run past the table's end
        int preference = Preference(platform, encoding, r.U16(at));
        if (r.Whole() && preference > 0) candidates.push_back({preference, at});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.preference > b.preference; });
    // Real fonts hold a handful of subtables; a table listing thousands that all fail is read
    // no more than a few times over.
    const size_t kMostTried = 8;
    std::vector<size_t> tried;
    for (const Candidate& candidate : candidates) {
        if (tried.size() == kMostTried) break;
        if (std::find(tried.begin(), tried.end(), candidate.at) != tried.end()) continue;
        tried.push_back(candidate.at);
        TableReader subtable(table, size);
        ranges.clear();
        if (!ReadSubtable(subtable, candidate.at, ranges)) continue;
        if (candidate.preference == 1) AddSymbolAliases(ranges);
        return true;
    }
    ranges.clear();
    return false;
}

bool CoversAll(const std::vector<CodePointRange>& ranges, const std::vector<uint32_t>& codePoints)
{
    auto from = ranges.begin();
    for (uint32_t c : codePoints) {
        // The first range that ends at or after c; the code points ascend, so the search narrows.
        from = std::lower_bound(from, ranges.end(), c, [](const CodePointRange& r, uint32_t v) { return r.last < v; });
        if (from == ranges.end() || from->first > c) return false;
    }
    return true;
}
