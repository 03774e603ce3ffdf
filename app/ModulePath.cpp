#include "ModulePath.h"

#include <cstring>
#include <cwchar>

bool ModuleDirectoryFromPath(const wchar_t* modulePath, DWORD length, wchar_t (&directory)[kModulePathSize])
{
    directory[0] = L'\0';
    // A full buffer means the platform cut the path.
    if (length == 0 || length >= kModulePathSize) return false;
    const wchar_t* lastSeparator = wcsrchr(modulePath, L'\\');
    if (!lastSeparator) return false;
    size_t directoryLength = static_cast<size_t>(lastSeparator - modulePath) + 1;
    wmemcpy(directory, modulePath, directoryLength);
    directory[directoryLength] = L'\0';
    return true;
}

bool GetModuleDirectory(wchar_t (&directory)[kModulePathSize])
{
    wchar_t modulePath[kModulePathSize] = {};
    DWORD length = GetModuleFileNameW(nullptr, modulePath, kModulePathSize);
    modulePath[kModulePathSize - 1] = L'\0';
    return ModuleDirectoryFromPath(modulePath, length, directory);
}

bool BuildModuleFilePath(wchar_t (&path)[kModulePathSize], const wchar_t* fileName)
{
    wchar_t directory[kModulePathSize];
    path[0] = L'\0';
    if (!GetModuleDirectory(directory)) return false;
    const size_t directoryLength = wcslen(directory), nameLength = wcslen(fileName);
    if (directoryLength + nameLength >= kModulePathSize) return false;
    wmemcpy(path, directory, directoryLength);
    wmemcpy(path + directoryLength, fileName, nameLength + 1);
    return true;
}
