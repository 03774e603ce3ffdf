// Finding a face by typing its name into the font list: characters typed within about a
// second of each other make one prefix; a pause starts a new one.
#pragma once

#include <string>

// What the list is searched for after a character: the first face that starts with the
// prefix, or, for one letter typed again and again, the next face after the selected one
// that starts with it, as the list box steps through them by itself.
struct FaceSearch {
    std::wstring prefix;
    bool afterSelection;
};

class TypeToFind {
public:
    // The longest pause between two characters of one prefix, in milliseconds.
    static const unsigned long kPauseMs = 1000;

    // A character typed at this message time (milliseconds, which wrap around).
    FaceSearch Type(wchar_t character, unsigned long time);

private:
    std::wstring m_typed;
    unsigned long m_lastTime = 0;
};
