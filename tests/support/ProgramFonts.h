// The fonts the program itself makes, told apart from those the platform makes for it
// (the edit control's text layout makes fonts of its own): while a ProgramFonts lives,
// the test executable's own calls to CreateFontIndirectA and DeleteObject, which are the
// program's, go through counters first.
#pragma once

#include <cstddef>

class ProgramFonts {
public:
    ProgramFonts();
    ~ProgramFonts();
    ProgramFonts(const ProgramFonts&) = delete;
    ProgramFonts& operator=(const ProgramFonts&) = delete;

    // The calls could be redirected (the executable imports both functions by name).
    bool Watching() const { return m_watching; }
    // Fonts made since the start, and those of them not yet deleted.
    size_t Made() const;
    size_t Live() const;

private:
    bool m_watching = false;
};
