// The family names a font file holds, read from its own name tables: a TrueType or OpenType
// file, or a collection of them ('ttcf'). The bytes come from outside and are read bounded.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum class FontFileNames {
    Read,       // every face has a family name
    NotAFont,   // no TrueType, OpenType or collection header
    Damaged,    // cut short, or a table or record lies outside the file
    Unnamed,    // a face without a family name
};

// The family name (name id 1) of each face, in the order of the faces, each once; none
// unless all are read. A Windows
// Unicode record is preferred, US English first, as the platform lists the face by it; a Mac
// Roman one in plain ASCII stands in. Time in proportion to the size, whatever the offsets
// say. Portable: no platform header.
FontFileNames ReadFontFileNames(const unsigned char* data, size_t size, std::vector<std::u16string>& families);
