#include "FileDrop.h"

#include <shlobj.h>

#include <cstring>

HGLOBAL MakeFileDrop(const std::vector<std::wstring>& paths)
{
    std::wstring names;
    for (const std::wstring& path : paths) names += path + L'\0';
    names += L'\0';
    const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, bytes);
    auto* drop = block ? static_cast<DROPFILES*>(GlobalLock(block)) : nullptr;
    if (!drop) return block ? GlobalFree(block) : nullptr;
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    return block;
}
