// Whether the platform can lay the sample text out in a font: the text's characters are
// laid out once in the font, away from the box, as the box itself would lay them out. Each
// face's answer is kept for that set of characters.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class LayoutTrial {
public:
    // False when laying the characters (ascending, as a text's distinct ones) out in the font faulted.
    // Always true where nothing can be tried (not under Wine, no guard to be had).
    bool LaysOut(HFONT font, const std::vector<uint32_t>& characters);
    // Faces may have been installed, removed or mended since they were tried.
    void Forget() { m_answers.clear(); }

private:
    std::unordered_map<std::wstring, bool> m_answers;  // by face, weight, slant and characters
};
