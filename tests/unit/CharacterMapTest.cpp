// The character-map reader over small tables built here, one row a kind of table.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "viewer/CharacterMap.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, uint32_t v)
{
    b.push_back(static_cast<unsigned char>(v >> 8));
    b.push_back(static_cast<unsigned char>(v));
}
void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v >> 16);
    Put16(b, v & 0xFFFF);
}

// A format 4 segment: glyphs through the delta, or through the range offset when listed.
struct Segment {
    uint16_t start, end, delta;
    std::vector<uint16_t> glyphs;
};

Bytes Format4(const std::vector<Segment>& segments)
{
    const size_t n = segments.size();
    Bytes b;
    for (uint32_t v : {4u, 0u, 0u, static_cast<uint32_t>(2 * n), 0u, 0u, 0u}) Put16(b, v);
    for (const Segment& s : segments) Put16(b, s.end);
    Put16(b, 0);
    for (const Segment& s : segments) Put16(b, s.start);
    for (const Segment& s : segments) Put16(b, s.delta);
    size_t listed = 0;
    for (size_t i = 0; i < n; ++i) {
        Put16(b, segments[i].glyphs.empty() ? 0 : static_cast<uint32_t>(2 * (n - i + listed)));
        listed += segments[i].glyphs.size();
    }
    for (const Segment& s : segments)
        for (uint16_t g : s.glyphs) Put16(b, g);
    return b;
}

struct Group {
    uint32_t first, last, glyph;
};

Bytes Groups(uint32_t format, const std::vector<Group>& groups, uint32_t claimed = 0)
{
    Bytes b;
    Put16(b, format);
    Put16(b, 0);
    Put32(b, static_cast<uint32_t>(16 + 12 * groups.size()));
    Put32(b, 0);
    Put32(b, claimed ? claimed : static_cast<uint32_t>(groups.size()));
    for (const Group& g : groups) {
        Put32(b, g.first);
        Put32(b, g.last);
        Put32(b, g.glyph);
    }
    return b;
}

// An encoding record with its subtable, laid after the records; or pointing where it says.
struct Record {
    uint16_t platform, encoding;
    Bytes subtable;
    uint32_t at = 0;
};

Bytes Cmap(const std::vector<Record>& records)
{
    Bytes b;
    Put16(b, 0);
    Put16(b, static_cast<uint32_t>(records.size()));
    uint32_t at = static_cast<uint32_t>(4 + 8 * records.size());
    Bytes subtables;
    for (const Record& r : records) {
        Put16(b, r.platform);
        Put16(b, r.encoding);
        Put32(b, r.at ? r.at : at + static_cast<uint32_t>(subtables.size()));
        subtables.insert(subtables.end(), r.subtable.begin(), r.subtable.end());
    }
    b.insert(b.end(), subtables.begin(), subtables.end());
    return b;
}

Bytes Truncated(Bytes b, size_t cut)
{
    b.resize(b.size() - cut);
    return b;
}

std::string Text(const std::vector<CodePointRange>& ranges)
{
    std::string text;
    char range[32];
    for (const CodePointRange& r : ranges) {
        wsprintfA(range, "%X-%X ", r.first, r.last);
        text += range;
    }
    return text;
}

const Segment kClosing = {0xFFFF, 0xFFFF, 1, {}};

std::vector<Segment> Overlapping()
{
    // Each segment spans the whole plane: read code by code, 32,767 times over.
    return std::vector<Segment>(32767, Segment{0, 0xFFFE, 0, {}});
}

struct MapCase {
    const char* name;
    Bytes table;
    bool read;
    std::string ranges;
};

TEST(CharacterMap, ReadsEachKindOfTableWithinItsBytesAndInTime)
{
    const Bytes latin = Format4({{0x41, 0x42, 0, {}}, kClosing});
    const MapCase cases[] = {
        {"glyph 0 through the delta", Cmap({{3, 1, Format4({{0x41, 0x45, 0x10000 - 0x43, {}}, kClosing})}}), true,
         "41-42 44-45 "},
        {"glyph 0 through the range offset", Cmap({{3, 1, Format4({{0x61, 0x63, 0, {5, 0, 7}}, kClosing})}}), true,
         "61-61 63-63 "},
        {"the closing segment maps no character", Cmap({{3, 1, Format4({{0xFFFF, 0xFFFF, 0, {}}})}}), true, ""},
        {"format 12, a group's first code on glyph 0",
         Cmap({{3, 10, Groups(12, {{0x20, 0x7E, 1}, {0x100, 0x102, 0}, {0x1F600, 0x1F64F, 100}})}}), true,
         "20-7E 101-102 1F600-1F64F "},
        {"format 13, groups out of order, glyph 0 for none",
         Cmap({{0, 6, Groups(13, {{0x4E00, 0x4E05, 3}, {0x500, 0x505, 0}, {0x41, 0x41, 2}})}}), true,
         "41-41 4E00-4E05 "},
        {"a symbol font's codes also from 0020", Cmap({{3, 0, Format4({{0xF041, 0xF043, 1, {}}, kClosing})}}), true,
         "41-43 F041-F043 "},
        {"format 12 preferred to format 4",
         Cmap({{3, 1, latin}, {3, 10, Groups(12, {{0x41, 0x41, 1}, {0x1F600, 0x1F600, 2}})}}), true,
         "41-41 1F600-1F600 "},
        {"a truncated format 4", Truncated(Cmap({{3, 1, latin}}), 3), false, ""},
        {"a truncated format 12", Cmap({{3, 10, Groups(12, {{0x41, 0x41, 1}}, 1000)}}), false, ""},
        {"records past the table's end", Truncated(Cmap({{3, 1, {}}}), 2), false, ""},
        {"overlapping segments, each code read once", Cmap({{3, 1, Format4(Overlapping())}}), true, "1-FFFE "},
        {"a record pointing past the end before a good one",
         Cmap({{0, 4, {}, 0xFFFFFF}, {3, 10, Groups(12, {{0x1F600, 0x1F64F, 1}})}}), true, "1F600-1F64F "},
        {"a truncated best subtable before a good one",
         Cmap({{3, 1, latin}, {3, 10, Groups(12, {{0x41, 0x41, 1}}, 1000)}}), true, "41-42 "},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CodePointRange> ranges;
        // A reading that walks the codes once per segment takes seconds on the overlapping one.
        const DWORD began = GetTickCount();
        EXPECT_EQ(c.read, ReadCharacterMap(c.table.data(), c.table.size(), ranges));
        EXPECT_LT(GetTickCount() - began, 1000u);
        EXPECT_EQ(c.ranges, Text(ranges));
    }
}

}  // namespace
