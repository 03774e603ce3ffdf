// A font's own character map (its 'cmap' table) as ranges of the code points it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct CodePointRange {
    uint32_t first, last;  // both included
};

// The code points the table maps to a glyph other than the missing glyph, in ascending,
// non-overlapping ranges, from its best Unicode subtable (the full repertoire's where there
// is one, else the next best that reads whole); a symbol font's private-use codes F020-F0FF
// also stand for 0020-00FF, as the platform maps them. False when no subtable reads whole.
// Any table is read in time proportional to its size. Portable: no platform header.
bool ReadCharacterMap(const unsigned char* table, size_t size, std::vector<CodePointRange>& ranges);

// Whether every code point of the ascending list lies in the ascending ranges.
bool CoversAll(const std::vector<CodePointRange>& ranges, const std::vector<uint32_t>& codePoints);
