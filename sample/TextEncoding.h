// The sample box holds 8-bit text in the system's code page.
#pragma once

#include <string>

// Converts UTF-8 text to the system's code page in place. Characters the code page
// lacks become its default character; invalid bytes become it too.
void ConvertUtf8ToAnsi(std::string& text);
