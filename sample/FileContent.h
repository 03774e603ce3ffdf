// Which bytes a file holds, without holding them: the close compares what is on disk with
// what start-up read and with what it would write.
#pragma once

#include <cstddef>

struct FileContent {
    bool present = false;  // there is a file
    bool known = false;    // its bytes were read whole; else nothing can be said of them
    unsigned long long size = 0;
    unsigned long long hash = 0;  // FNV-1a, 64 bits

    static FileContent Missing() { return FileContent(); }
    static FileContent Unknown()
    {
        FileContent content;
        content.present = true;
        return content;
    }
    // A file that is there, before its bytes are added in order.
    static FileContent Empty()
    {
        FileContent content = Unknown();
        content.known = true;
        content.hash = 14695981039346656037ull;
        return content;
    }
    void Add(const char* bytes, size_t count)
    {
        size += count;
        for (size_t i = 0; i < count; ++i) hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
    }
    bool SameBytes(const FileContent& other) const
    {
        return present && known && other.present && other.known && size == other.size && hash == other.hash;
    }
};
