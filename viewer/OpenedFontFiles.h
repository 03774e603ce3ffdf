// The font files opened in this run. The platform adds each for this process alone: nothing
// is installed, nothing reaches the registry, and each is removed when this record ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class OpenedFontFiles {
public:
    OpenedFontFiles() = default;
    ~OpenedFontFiles() { RemoveAll(); }
    OpenedFontFiles(const OpenedFontFiles&) = delete;
    OpenedFontFiles& operator=(const OpenedFontFiles&) = delete;

    // Adds the file for this process; false, with GetLastError, when the platform refuses it.
    bool Add(const std::wstring& path);
    // Takes back the file added last (it added no face the list can show).
    void RemoveLast();
    void RemoveAll();
    // The faces the files brought, as the font list names them.
    void NoteFace(const std::string& face) { m_faces.push_back(face); }
    // Whether the list's entry of this name is a face from a file (letter case ignored, as the list).
    bool IsFileFace(const char* face) const;

private:
    std::vector<std::wstring> m_paths;
    std::vector<std::string> m_faces;
};
