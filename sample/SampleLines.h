// The sample box's text built from a text file read in pieces: a piece is a line
// with its LF, or as much of a longer line as the reader's buffer holds.
#pragma once

#include <cstddef>
#include <string>

// Joins the pieces into whole lines, so that the reader's buffer never puts a line
// break into the text. Each line ends at its first NUL byte (the box cannot hold
// one), loses its trailing CRs and gets CR LF, the file's last line included.
// A CR followed by more of the line ends a line of its own: files from systems
// that break lines with CR alone show their lines, not one run of text.
// A UTF-8 byte-order mark at the start is not text; it is dropped and noted.
class SampleTextBuilder {
public:
    void Reserve(size_t bytes) { m_text.reserve(bytes); }
    void AddPiece(const char* piece, size_t length);
    // Ends a last line that the file did not end.
    void Finish();
    const std::string& Text() const { return m_text; }
    std::string& Text() { return m_text; }
    // The file began with the UTF-8 byte-order mark.
    bool MarkedUtf8() const { return m_markedUtf8; }

private:
    void EndLine();
    void EndLoneCrLines();

    std::string m_text;
    size_t m_pendingCrs = 0;   // CRs read that end lines unless only more CRs and the LF follow
    bool m_started = false;    // a piece has been read
    bool m_lineOpen = false;   // part of a line has been read and not yet ended
    bool m_lineCut = false;    // a NUL ended the open line's text
    bool m_markedUtf8 = false;
};
