// The sample box's text built from a text file read in pieces: a piece is a line
// with its LF, or as much of a longer line as the reader's buffer holds.
#pragma once

#include <cstddef>
#include <string>

// Joins the pieces into whole lines, so that the reader's buffer never puts a line
// break into the text. Each line ends at its first NUL byte (the box cannot hold
// one), loses its trailing CRs and LFs and gets CR LF, the file's last line included.
class SampleTextBuilder {
public:
    void Reserve(size_t bytes) { m_text.reserve(bytes); }
    void AddPiece(const char* piece, size_t length);
    // Ends a last line that the file did not end.
    void Finish();
    const std::string& Text() const { return m_text; }

private:
    void EndLine();

    std::string m_text;
    size_t m_lineStart = 0;   // where the open line begins in m_text
    bool m_lineOpen = false;  // part of a line has been read and not yet ended
    bool m_lineCut = false;   // a NUL ended the open line's text
};
