// Where the sample box's text came from: the one record that decides whether and how
// the close writes sample.txt.
#pragma once

#include "sample/FileContent.h"
#include "sample/TextEncoding.h"

// What the close does with sample.txt.
enum class SampleSave {
    Leave,          // the file stays as it is: it is the user's text, or already the box's
    Write,          // the box's text takes the file's place
    BackUpAndWrite  // the same, once the file's bytes are kept as the backup
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
    // What start-up read (or the last save wrote): another program, or another copy of
    // this one, may write the file meanwhile.
    FileContent Read;

    // `edited`: the user has typed into the box (its modified flag).
    bool UserChanged(bool edited) const { return edited || TextReplaced; }

    // `onDisk`: the file as it is now; `written`: the bytes the close would write, in
    // `encoding`; `linked`: the file has other names (links), which only a write in place keeps.
    SampleSave CloseAction(bool edited, const FileContent& onDisk, const FileContent& written, TextEncoding encoding,
                           bool linked) const
    {
        const bool changed = UserChanged(edited);
        // A file removed during the run is not put back by a close that changed nothing.
        if (!onDisk.present) return Read.present && !changed ? SampleSave::Leave : SampleSave::Write;
        if (onDisk.SameBytes(written)) return SampleSave::Leave;
        // The box shows exactly the bytes on disk: nothing of the file is lost that the
        // box does not hold, unless the close changes them on its own (the line rule, an
        // encoding the text needs) or the file has other names.
        const bool shownAsItIs = !FileNotShown && onDisk.SameBytes(Read);
        if (!changed) return shownAsItIs ? SampleSave::BackUpAndWrite : SampleSave::Leave;
        return shownAsItIs && encoding == Encoding && !linked ? SampleSave::Write : SampleSave::BackUpAndWrite;
    }
};
