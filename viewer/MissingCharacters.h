// Which faces lack characters of the sample text. The text's characters are counted once
// per change of the text (or one by one as they are typed or removed); each face's
// character map is read once, the first time the face is asked about; each face's answer
// holds until the set of characters changes. So the cost of drawing the list stays with
// the rows on screen, whatever the number of faces or the length of the text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "viewer/CharacterMap.h"

class MissingCharacters {
public:
    // Takes the box's whole text; true when its set of characters differs from the last
    // text's, so that the faces' answers may have changed.
    bool TakeText(HWND box);
    // The same for a text at hand.
    bool TakeText(const wchar_t* text, size_t length);
    // One character added to the text or removed from it, the rest unchanged.
    bool Added(uint32_t character);
    bool Removed(uint32_t character);
    // The text's length in UTF-16 units, as last taken.
    size_t Length() const { return m_length; }

    // Whether the face lacks at least one character of the text that draws something.
    bool Lacks(const char* face);
    // Faces may have been installed or removed since their maps were read.
    void ForgetFaces() { m_faces.clear(); }

    // The text's distinct characters, control characters aside, in ascending order; those that
    // draw nothing count here (joiners change how a text is laid out), not for the marks.
    const std::vector<uint32_t>& Characters() const { return m_characters; }
    // Changes whenever that set changes.
    unsigned Generation() const { return m_generation; }

private:
    struct Face {
        bool mapRead = false;
        bool hasMap = false;  // false: the face has no character map, its glyphs are asked for
        std::vector<CodePointRange> map;
        unsigned answeredFor = 0;  // the characters' generation of the answer
        bool lacks = false;
    };
    void ReadMap(const char* name, Face& face) const;
    bool LacksGlyphs(const char* name) const;
    bool Forget();

    std::vector<wchar_t> m_text;  // kept between changes: a large text is read without new memory
    std::vector<uint32_t> m_bmpCount;  // occurrences of each character of the BMP
    std::unordered_map<uint32_t, uint32_t> m_astralCount;
    std::vector<uint32_t> m_characters;
    std::vector<uint32_t> m_visible;  // those that draw something, for the marks
    unsigned m_visibleFor = 0;        // the characters' generation they were sorted out for
    size_t m_length = 0;
    unsigned m_generation = 1;
    std::unordered_map<std::string, Face> m_faces;
};
