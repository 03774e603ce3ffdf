// Rewriting a file so that a failure midway never costs its old content.
#pragma once

#include <cstddef>

class CFile;

// Writes the bytes to a temporary file in the file's folder and lets it take the
// file's place only once all of them are on disk. On any failure the old file is
// untouched, the temporary file is removed, and the result is false.
bool ReplaceFileContent(const char* path, const char* data, size_t size);
// The same, writing through the given file object (tests make its writes fail).
bool ReplaceFileContent(const char* path, const char* data, size_t size, CFile& temporary);
