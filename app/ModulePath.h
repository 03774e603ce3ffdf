// Every file the program reads or writes lies beside its executable. The paths are
// wide, so that a folder named in any script is found as it is.
#pragma once

#include <windows.h>

const DWORD kModulePathSize = 256;  // 255 characters and the terminator

// The directory part, with its trailing backslash, of a module path that
// GetModuleFileNameW gave as `length` characters in a buffer of kModulePathSize.
// False when the path was cut to fit: its directory would not be the program's.
bool ModuleDirectoryFromPath(const wchar_t* modulePath, DWORD length, wchar_t (&directory)[kModulePathSize]);

// The running executable's directory; false when its path does not fit.
bool GetModuleDirectory(wchar_t (&directory)[kModulePathSize]);

// The module directory followed by fileName; false when the executable's
// path or the joined path does not fit, and then nothing may use the path.
bool BuildModuleFilePath(wchar_t (&path)[kModulePathSize], const wchar_t* fileName);
