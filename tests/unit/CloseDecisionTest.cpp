// What the close does with sample.txt, from what start-up read, what is on disk now and
// what the close would write.
#include <gtest/gtest.h>

#include <cstring>

#include "sample/SampleOrigin.h"

namespace {

FileContent Bytes(const char* text)
{
    FileContent content = FileContent::Empty();
    content.Add(text, strlen(text));
    return content;
}

TEST(CloseDecision, NothingTheUserDidNotChangeIsLost)
{
    const FileContent missing = FileContent::Missing(), unknown = FileContent::Unknown();
    const FileContent read = Bytes("Hello"), ours = Bytes("Hello\r\n"), theirs = Bytes("written meanwhile");
    const TextEncoding cp = TextEncoding::CodePage, utf8 = TextEncoding::Utf8Marked;
    const struct {
        const char* name;
        FileContent read, onDisk;
        bool notShown, edited, linked;
        TextEncoding written;
        SampleSave action;
    } kCases[] = {
        {"NoFileEver", missing, missing, false, false, false, cp, SampleSave::Write},
        {"AlreadyTheBoxsBytes", ours, ours, false, true, false, cp, SampleSave::Leave},
        {"LineRuleChangesBytes", read, read, false, false, false, cp, SampleSave::BackUpAndWrite},
        {"WrittenMeanwhile", read, theirs, false, false, false, cp, SampleSave::Leave},
        {"WrittenMeanwhileThenTyped", read, theirs, false, true, false, cp, SampleSave::BackUpAndWrite},
        {"AppearedMeanwhile", missing, theirs, false, false, false, cp, SampleSave::Leave},
        {"AppearedMeanwhileThenTyped", missing, theirs, false, true, false, cp, SampleSave::BackUpAndWrite},
        {"TypedSameEncoding", read, read, false, true, false, cp, SampleSave::Write},
        {"TypedOtherEncoding", read, read, false, true, false, utf8, SampleSave::BackUpAndWrite},
        {"TypedIntoALinkedFile", read, read, false, true, true, cp, SampleSave::BackUpAndWrite},
        {"NotShownUntouched", unknown, read, true, false, false, cp, SampleSave::Leave},
        {"NotShownThenTyped", unknown, read, true, true, false, cp, SampleSave::BackUpAndWrite},
        {"NotReadableNowUntouched", read, unknown, false, false, false, cp, SampleSave::Leave},
        {"NotShownAndGoneUntouched", unknown, missing, true, false, false, cp, SampleSave::Leave},
        {"RemovedMeanwhileUntouched", read, missing, false, false, false, cp, SampleSave::Leave},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        SampleOrigin origin;
        origin.Read = c.read;
        origin.FileNotShown = c.notShown;
        EXPECT_EQ(static_cast<int>(c.action),
                  static_cast<int>(origin.CloseAction(c.edited, c.onDisk, ours, c.written, c.linked)));
    }
}

}  // namespace
