// Rewriting a file so that a failure midway never costs its old content.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

class CFile;

// When the file itself may be written instead of a new copy taking its place. A write
// in place that fails midway leaves neither version, so only a caller that has kept the
// old bytes elsewhere allows it.
enum class InPlace {
    Never,
    WhenNoNewFile,  // where the folder takes no new file (see FolderTakesNoNewFile)
    Always          // the file has other names, which a new copy would not carry
};

// How a caller that has decided on the file as it is now replaces it.
struct ReplaceWay {
    InPlace inPlace = InPlace::Never;
    // False where the file was missing when the caller decided: one that has appeared
    // since is not replaced (ERROR_ALREADY_EXISTS), so it can decide again.
    bool overExisting = true;
    // Lets go of a handle that kept writers out while the caller decided, once the new
    // content is whole on the disk and just before it takes the file's place.
    std::function<void()> letGo;
};

// Writes the bytes to a temporary file in the file's folder and lets it take the file's
// place only once all of them are on disk; the file keeps its attributes and is marked
// as changed (the archive mark). On any failure the old file is untouched, the temporary
// file is removed, the result is false and GetLastError tells why. A read-only file is
// never replaced. Where the way allows, the file is rewritten in place instead (see
// RewriteInPlace).
bool ReplaceFileContent(const wchar_t* path, const char* data, size_t size, const ReplaceWay& way = {});
// The same, writing through the given file object (tests make its writes fail).
bool ReplaceFileContent(const wchar_t* path, const char* data, size_t size, CFile& file, const ReplaceWay& way = {});

// The steps, shared with the settings store. Temporary files are named after the file
// they replace ("~sam-1a2b3c4d.tmp" for sample.txt), so that leftovers are known to be ours.
// Makes a new, empty temporary file for the file; false when the folder takes none.
bool MakeTemporaryFile(const wchar_t* path, std::wstring& temporary);
// Whether MakeTemporaryFile's failure means the folder takes no new file (no right to
// make one, no room for one), so that the file itself is the only place left to write.
bool FolderTakesNoNewFile(DWORD error);
// Removes the temporary files that earlier saves of the file left behind (a run that was
// ended mid-save), once they are old enough that no save still running can own them. One
// written after the file itself may hold the only copy of newer content: it is kept
// under a name of its own beside the file ("sample (recovered 1a2b3c4d).txt").
void RemoveLeftoverTemporaryFiles(const wchar_t* path);
// Appends the bytes of the file `source` to the open file, so that the copy is dated by
// this write (a copy made with CopyFileW carries its source's date, which would make it
// pass for an old leftover while it is still being written).
bool AppendFileBytes(const wchar_t* source, CFile& file);
// Puts the temporary file in the file's place, giving it the file's attributes; with
// `overExisting` false, only where there is no such file.
bool MoveIntoPlace(const wchar_t* temporary, const wchar_t* path, bool overExisting = true);
// Writes an existing file in place. The bytes beyond its old end go first, so a disk
// without room for the new length fails before any old byte is overwritten.
bool RewriteInPlace(const wchar_t* path, const char* data, size_t size, CFile& file);
