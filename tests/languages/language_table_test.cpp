#include "platform/utf.h"
#include "skin/props/language_table.h"
#include "support/byte_writer.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

std::string utf16_file(std::u16string_view text)
{
    return ByteWriter().u16(0xFEFF).utf16(text).str();
}

LanguageTable load(const std::string& bytes)
{
    TemporaryFolder folder;
    write_file(folder.file("test.lng"), bytes);
    LanguageTable table;
    EXPECT_TRUE(table.load_language_file(utf8_to_utf16(folder.file("test.lng"))));
    return table;
}

// Files with the translations they must give: entry forms, separators, repeated and case-sensitive
// keys, encodings.
TEST(LanguageFile, EntryFormsSeparatorsRepeatedKeysAndEncodings)
{
    const struct {
        std::string bytes;
        std::u16string key, value;
    } cases[] = {
        {"KEY=Value=1\n", u"KEY", u"Value=1"},
        {"TWO  Value\r\n", u"TWO", u"Value"},
        {"\t  Indented\tTabbed value with trailing  \n", u"Indented", u"Tabbed value with trailing  "},
        // A run of blanks is the separator, so the "=" belongs to the value.
        {"Spaced = x\n", u"Spaced", u"= x"},
        {"Empty=\nLast=no line end", u"Last", u"no line end"},
        // A key alone before a line break does not take the next line.
        {"A\nB=2\n", u"A", u""},
        {"Sun=One\nsun=lower\nSun=Two\n", u"Sun", u"Two"},
        {"Sun=One\nsun=lower\n", u"sun", u"lower"},
        {utf16_file(u"Moon  Луна\n"), u"Moon", u"Луна"},
        {"Deg=90\xB0\n", u"Deg", std::u16string(u"90") + char16_t(0xB0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(load(c.bytes).translate_or(c.key, u"absent"), c.value) << c.bytes;
}

TEST(LanguageFile, MissingDamagedAndEmptyFilesAreRefusedWithTheReasonAndKeepTheTable)
{
    TemporaryFolder folder;
    write_file(folder.file("english.lng"), "Sun=Sun\n");
    write_file(folder.file("empty.lng"), "");
    LanguageTable table;
    EXPECT_TRUE(table.loaded_path().empty());
    const std::u16string english = utf8_to_utf16(folder.file("english.lng"));
    ASSERT_TRUE(table.load_language_file(english));
    EXPECT_EQ(table.loaded_path(), english);

    const struct {
        std::string name, bytes, problem;
    } refused[] = {
        {"missing.lng", "", "it cannot be read"},
        {"empty.lng", "", "it holds no texts"},
        {"blank.lng", " \r\n\n", "it holds no texts"},
        // A UTF-16 file cut short, one whose mark was damaged, a broken surrogate, a control character.
        {"odd.lng", utf16_file(u"Sun=Soleil\n") + "x", "its UTF-16 text has an odd number of bytes, so it is cut short"},
        {"mark.lng", "\xFF\xFA" + utf16_file(u"Sun=Soleil\n").substr(2), "byte 3 is not text"},
        {"surrogate.lng", ByteWriter().u16(0xFEFF).utf16(u"Sun=").u16(0xD800).utf16(u"x\n").str(), "byte 10 is not text"},
        {"control.lng", std::string("Sun=So\x02leil\n"), "byte 6 is not text"},
    };
    for (const auto& file : refused) {
        if (!file.bytes.empty() || file.name == "empty.lng")
            write_file(folder.file(file.name), file.bytes);
        const LanguageLoad load = table.load_language_file(utf8_to_utf16(folder.file(file.name)));
        EXPECT_FALSE(load) << file.name;
        EXPECT_EQ(load.problem, file.problem) << file.name;
        EXPECT_EQ(table.translate_or(u"Sun", u"gone"), u"Sun") << file.name;
        EXPECT_EQ(table.loaded_path(), english) << file.name;
    }
}

} // namespace

} // namespace stellaro
