// The character-map reader on any bytes: it reads only inside them, in time bounded by their
// size, and answers in ascending ranges that neither overlap nor touch.
#include "viewer/CharacterMap.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CodePointRange> ranges;
    const bool read = ReadCharacterMap(data, size, ranges);
    if (!read && !ranges.empty()) abort();
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (ranges[i].first > ranges[i].last || ranges[i].last > 0x10FFFF) abort();
        if (i > 0 && ranges[i].first <= ranges[i - 1].last + 1) abort();
    }
    CoversAll(ranges, {0x20, 0x41, 0xFFFD, 0x1F600});
    return 0;
}
