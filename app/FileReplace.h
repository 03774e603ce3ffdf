// Rewriting a file so that a failure midway never costs its old content.
#pragma once

#include <windows.h>

#include <cstddef>

class CFile;

// Writes the bytes to a temporary file in the file's folder and lets it take the
// file's place, with the file's attributes, only once all of them are on disk. On any
// failure the old file is untouched, the temporary file is removed, and the result is
// false. In a folder where the file may be written but no new file made, the file is
// rewritten in place instead.
bool ReplaceFileContent(const char* path, const char* data, size_t size);
// The same, writing through the given file object (tests make its writes fail).
bool ReplaceFileContent(const char* path, const char* data, size_t size, CFile& temporary);

// The steps, shared with the settings store. Temporary files are named after the file
// they replace ("~sam-1a2b3c4d.tmp" for sample.txt), so that leftovers are known to be ours.
// Makes a new, empty temporary file for the file; false when the folder takes none.
bool MakeTemporaryFile(const char* path, char (&temporary)[MAX_PATH]);
// Removes the temporary files that earlier saves of the file left behind (a run that
// was ended mid-save); a file some save still holds open stays.
void RemoveLeftoverTemporaryFiles(const char* path);
// Puts the temporary file in the file's place, giving it the file's attributes.
bool MoveIntoPlace(const char* temporary, const char* path);
