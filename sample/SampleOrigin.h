// Where the sample box's text came from: the one record that decides whether and how
// the close writes sample.txt.
#pragma once

#include "sample/TextEncoding.h"

// What the close does with sample.txt.
enum class SampleSave {
    Leave,          // the file is the user's text, which the box does not show: it stays as it is
    Write,          // the box's text takes the file's place
    BackUpAndWrite  // the same, once the old file is kept as the backup
};

struct SampleOrigin {
    // The encoding sample.txt was read in, which the close keeps where it holds every character.
    TextEncoding Encoding = TextEncoding::CodePage;
    // sample.txt is there, but the box does not show it exactly: it could not be read
    // whole (held by a writer, a read error, too large), or its bytes do not come back
    // from the box's text. It is the user's, not ours to rewrite, until they replace it.
    bool FileNotShown = false;
    // Since start-up a command has put text of the user's choosing into the box (a file, a built-in sample).
    bool TextReplaced = false;

    // `edited`: the user has typed into the box (its modified flag).
    bool UserChanged(bool edited) const { return edited || TextReplaced; }
    SampleSave CloseAction(bool edited) const
    {
        if (!FileNotShown) return SampleSave::Write;
        return UserChanged(edited) ? SampleSave::BackUpAndWrite : SampleSave::Leave;
    }
};
