#include "ModulePath.h"

#include <cstdio>
#include <cstring>

bool ModuleDirectoryFromPath(const char* modulePath, DWORD length, char (&directory)[kModulePathSize])
{
    directory[0] = '\0';
    // A full buffer means the platform cut the path.
    if (length == 0 || length >= kModulePathSize) return false;
    const char* lastSeparator = strrchr(modulePath, '\\');
    if (!lastSeparator) return false;
    size_t directoryLength = static_cast<size_t>(lastSeparator - modulePath) + 1;
    memcpy(directory, modulePath, directoryLength);
    directory[directoryLength] = '\0';
    return true;
}

bool GetModuleDirectory(char (&directory)[kModulePathSize])
{
    char modulePath[kModulePathSize] = {};
    DWORD length = GetModuleFileNameA(nullptr, modulePath, kModulePathSize);
    modulePath[kModulePathSize - 1] = '\0';
    return ModuleDirectoryFromPath(modulePath, length, directory);
}

bool BuildModuleFilePath(char (&path)[kModulePathSize], const char* fileName)
{
    char directory[kModulePathSize];
    path[0] = '\0';
    if (!GetModuleDirectory(directory)) return false;
    int written = snprintf(path, kModulePathSize, "%s%s", directory, fileName);
    if (written < 0 || static_cast<DWORD>(written) >= kModulePathSize) {
        path[0] = '\0';
        return false;
    }
    return true;
}
