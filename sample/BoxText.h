// The sample box's whole text, read through the wide messages.
#pragma once

#include <windows.h>

#include <string>

// False when the text cannot be held (no memory) or the box gave less than it holds.
bool ReadBoxText(HWND box, std::wstring& text);
