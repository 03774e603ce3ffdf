#include "viewer/OpenedFontFiles.h"

bool OpenedFontFiles::Add(const std::wstring& path)
{
    if (::AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr) == 0) return false;
    m_paths.push_back(path);
    return true;
}

void OpenedFontFiles::RemoveLast()
{
    if (m_paths.empty()) return;
    ::RemoveFontResourceExW(m_paths.back().c_str(), FR_PRIVATE, nullptr);
    m_paths.pop_back();
}

void OpenedFontFiles::RemoveAll()
{
    while (!m_paths.empty()) RemoveLast();
    m_faces.clear();
}

bool OpenedFontFiles::IsFileFace(const char* face) const
{
    for (const std::string& known : m_faces)
        if (::lstrcmpiA(known.c_str(), face) == 0) return true;
    return false;
}
