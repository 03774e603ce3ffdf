// The character-map reader over small tables built here, one row a kind of table.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "viewer/CharacterMap.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Ranges = std::vector<std::pair<uint32_t, uint32_t>>;

void Put(Bytes& b, uint32_t v, int bytes = 2)
{
    while (bytes--) b.push_back(static_cast<unsigned char>(v >> (8 * bytes)));
}

// Format 4 segments: glyphs through the delta, or through the range offset when listed.
struct Segment {
    uint16_t start, end, delta;
    std::vector<uint16_t> glyphs;
};
Bytes Format4(const std::vector<Segment>& segments)
{
    const uint32_t n = static_cast<uint32_t>(segments.size());
    Bytes b, glyphs;
    for (uint32_t v : {4u, 0u, 0u, 2 * n, 0u, 0u, 0u}) Put(b, v);
    for (const Segment& s : segments) Put(b, s.end);
    Put(b, 0);
    for (const Segment& s : segments) Put(b, s.start);
    for (const Segment& s : segments) Put(b, s.delta);
    for (uint32_t i = 0; i < n; ++i) {
        Put(b, segments[i].glyphs.empty() ? 0 : static_cast<uint32_t>(2 * (n - i) + glyphs.size()));
        for (uint16_t g : segments[i].glyphs) Put(glyphs, g);
    }
    b.insert(b.end(), glyphs.begin(), glyphs.end());
    return b;
}

// Format 12 or 13 groups {first, last, glyph}; a count of groups other than those given.
Bytes Groups(uint32_t format, const std::vector<std::vector<uint32_t>>& groups, uint32_t claimed = 0)
{
    Bytes b;
    Put(b, format);
    Put(b, 0);
    for (uint32_t v : {static_cast<uint32_t>(16 + 12 * groups.size()), 0u, claimed ? claimed : static_cast<uint32_t>(groups.size())})
        Put(b, v, 4);
    for (const auto& group : groups)
        for (uint32_t v : group) Put(b, v, 4);
    return b;
}

// Encoding records {platform, encoding, subtable}, the subtables laid after the records; or
// pointing where `at` says.
struct Record {
    uint16_t platform, encoding;
    Bytes subtable;
    uint32_t at = 0;
};
Bytes Cmap(const std::vector<Record>& records, size_t cut = 0)
{
    Bytes b, subtables;
    Put(b, 0);
    Put(b, static_cast<uint32_t>(records.size()));
    for (const Record& r : records) {
        Put(b, r.platform);
        Put(b, r.encoding);
        Put(b, r.at ? r.at : static_cast<uint32_t>(4 + 8 * records.size() + subtables.size()), 4);
        subtables.insert(subtables.end(), r.subtable.begin(), r.subtable.end());
    }
    b.insert(b.end(), subtables.begin(), subtables.end());
    b.resize(b.size() - cut);
    return b;
}

const Segment kClosing = {0xFFFF, 0xFFFF, 1, {}};

struct MapCase {
    const char* name;
    Bytes table;
    bool read;
    Ranges ranges;
};

TEST(CharacterMap, ReadsEachKindOfTableWithinItsBytesAndInTime)
{
    const Bytes latin = Format4({{0x41, 0x42, 0, {}}, kClosing});
    const Bytes truncated12 = Groups(12, {{0x41, 0x41, 1}}, 1000);
    // Each segment spans the plane: read code by code, that is 32,767 times over.
    const Bytes overlapping = Format4(std::vector<Segment>(32767, Segment{0, 0xFFFE, 0, {}}));
    const MapCase cases[] = {
        {"glyph 0 through the delta", Cmap({{3, 1, Format4({{0x41, 0x45, 0x10000 - 0x43, {}}, kClosing})}}), true,
         {{0x41, 0x42}, {0x44, 0x45}}},
        {"glyph 0 through the range offset", Cmap({{3, 1, Format4({{0x61, 0x63, 0, {5, 0, 7}}, kClosing})}}), true,
         {{0x61, 0x61}, {0x63, 0x63}}},
        {"the closing segment maps no character", Cmap({{3, 1, Format4({{0xFFFF, 0xFFFF, 0, {}}})}}), true, {}},
        {"format 12, a group's first code on glyph 0",
         Cmap({{3, 10, Groups(12, {{0x20, 0x7E, 1}, {0x100, 0x102, 0}, {0x1F600, 0x1F64F, 9}})}}), true,
         {{0x20, 0x7E}, {0x101, 0x102}, {0x1F600, 0x1F64F}}},
        {"format 13, groups out of order, glyph 0 for none",
         Cmap({{0, 6, Groups(13, {{0x4E00, 0x4E05, 3}, {0x500, 0x505, 0}, {0x41, 0x41, 2}})}}), true,
         {{0x41, 0x41}, {0x4E00, 0x4E05}}},
        {"a symbol font's codes also from 0020", Cmap({{3, 0, Format4({{0xF041, 0xF043, 1, {}}, kClosing})}}), true,
         {{0x41, 0x43}, {0xF041, 0xF043}}},
        {"format 12 preferred to format 4", Cmap({{3, 1, latin}, {3, 10, Groups(12, {{0x1F600, 0x1F600, 2}})}}), true,
         {{0x1F600, 0x1F600}}},
        {"a truncated format 4", Cmap({{3, 1, latin}}, 3), false, {}},
        {"a truncated format 12", Cmap({{3, 10, truncated12}}), false, {}},
        {"records past the table's end", Cmap({{3, 1, {}}}, 2), false, {}},
        {"overlapping segments, each code read once", Cmap({{3, 1, overlapping}}), true, {{1, 0xFFFE}}},
        {"a record pointing past the end before a good one",
         Cmap({{0, 4, {}, 0xFFFFFF}, {3, 10, Groups(12, {{0x1F600, 0x1F64F, 1}})}}), true, {{0x1F600, 0x1F64F}}},
        {"a truncated best subtable before a good one", Cmap({{3, 1, latin}, {3, 10, truncated12}}), true,
         {{0x41, 0x42}}},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CodePointRange> ranges;
        // A reading that walks the codes once a segment takes seconds on the overlapping one.
        const DWORD began = GetTickCount();
        EXPECT_EQ(c.read, ReadCharacterMap(c.table.data(), c.table.size(), ranges));
        EXPECT_LT(GetTickCount() - began, 1000u);
        Ranges read;
        for (const CodePointRange& r : ranges) read.emplace_back(r.first, r.last);
        EXPECT_EQ(c.ranges, read);
    }
}

}  // namespace
