// The font file name reader on any bytes: it reads only inside them, in time bounded by their
// size, and names each face once, with a name, when it says it read them.
#include "viewer/FontFileNames.h"

#include <cstdint>
#include <cstdlib>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::u16string> families;
    const FontFileNames read = ReadFontFileNames(data, size, families);
    if (read != FontFileNames::Read && !families.empty()) abort();
    if (read == FontFileNames::Read) {
        if (families.empty()) abort();
        std::set<std::u16string> seen;
        for (const std::u16string& family : families)
            if (family.empty() || !seen.insert(family).second) abort();
    }
    return 0;
}
