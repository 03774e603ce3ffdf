// The font file name reader over the test font files and small files built here, one row each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Files.h"
#include "viewer/FontFileNames.h"

namespace {

std::string Be(uint32_t v, int bytes)
{
    std::string b;
    for (int i = bytes - 1; i >= 0; --i) b += static_cast<char>(v >> (8 * i));
    return b;
}

struct NameRecord {
    uint32_t platform, encoding, language, nameId;
    std::string text;  // as stored: UTF-16BE for the Windows platform
    uint32_t offsetShift = 0;
};

// One face whose only table is a name table with these records.
std::string Face(const std::vector<NameRecord>& records)
{
    std::string name = Be(0, 2) + Be(static_cast<uint32_t>(records.size()), 2) + Be(6 + 12 * records.size(), 2), strings;
    for (const NameRecord& r : records) {
        name += Be(r.platform, 2) + Be(r.encoding, 2) + Be(r.language, 2) + Be(r.nameId, 2) +
                Be(static_cast<uint32_t>(r.text.size()), 2) + Be(static_cast<uint32_t>(strings.size()) + r.offsetShift, 2);
        strings += r.text;
    }
    name += strings;
    return Be(0x00010000, 4) + Be(1, 2) + std::string(6, '\0') + "name" + Be(0, 4) + Be(28, 4) +
           Be(static_cast<uint32_t>(name.size()), 4) + name;
}

std::string Utf16(const std::string& ascii)
{
    std::string b;
    for (char c : ascii) b += std::string(1, '\0') + c;
    return b;
}

struct Case {
    const char* what;
    std::string bytes;
    const char* file;  // or the test font file of this name
    FontFileNames expected;
    std::vector<std::u16string> families;
};

TEST(FontFileNames, ReadsEachFaceOrSaysWhyNot)
{
    const std::string german = Utf16("Deutsch"), english = Utf16("English");
    const Case cases[] = {
        {"one face", "", "tsfx-file.ttf", FontFileNames::Read, {u"Tsfx File"}},
        {"a collection of two", "", "tsfx-pair.ttc", FontFileNames::Read, {u"Tsfx Pair One", u"Tsfx Pair Two"}},
        {"cut short", "", "tsfx-cut.ttf", FontFileNames::Damaged, {}},
        {"text", "", "not-a-font.ttf", FontFileNames::NotAFont, {}},
        {"empty", "", nullptr, FontFileNames::NotAFont, {}},
        {"US English before another language",
         Face({{3, 1, 0x407, 1, german}, {3, 1, 0x409, 1, english}, {1, 0, 0, 1, "Mac"}}), nullptr,
         FontFileNames::Read, {u"English"}},
        {"a Mac Roman name in ASCII stands in", Face({{1, 0, 0, 1, "Mac"}, {3, 1, 0x409, 4, english}}), nullptr,
         FontFileNames::Read, {u"Mac"}},
        {"no family name", Face({{3, 1, 0x409, 4, english}}), nullptr, FontFileNames::Unnamed, {}},
        {"a name past the table's end", Face({{3, 1, 0x409, 1, english, 200}}), nullptr, FontFileNames::Damaged, {}},
        {"a table running past the file's end", Face({{3, 1, 0x409, 1, english}}).replace(24, 4, Be(4096, 4)), nullptr,
         FontFileNames::Damaged, {}},
        {"more records than the table holds", Face({{3, 1, 0x409, 1, english}}).replace(30, 2, Be(900, 2)), nullptr,
         FontFileNames::Damaged, {}},
        {"a collection claiming more faces than it holds", "ttcf" + Be(0x10000, 4) + Be(0x7FFFFFFF, 4) + Be(0, 4),
         nullptr, FontFileNames::Damaged, {}},
        {"a collection's face that is no face", "ttcf" + Be(0x10000, 4) + Be(1, 4) + Be(0, 4), nullptr,
         FontFileNames::NotAFont, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = c.bytes;
        if (c.file) {
            const auto read = ReadFileBytes(ExecutableFolder() + "file-fonts\\" + c.file);
            ASSERT_TRUE(read) << "the test fonts are made at build time";
            bytes = *read;
        }
        std::vector<std::u16string> families = {u"left over"};
        EXPECT_EQ(c.expected, ReadFontFileNames(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                                families));
        EXPECT_EQ(c.families, families);
    }
}

}  // namespace
