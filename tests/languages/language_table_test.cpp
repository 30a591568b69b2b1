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

TEST(LanguageFile, EntryFormsSeparatorsAndValues)
{
    const LanguageTable table = load("KEY=Value=1\n"
                                     "TWO  Value\r\n"
                                     "ALONE\n"
                                     "\t  Indented\tTabbed value with trailing  \n"
                                     "=orphan value\n"
                                     "Empty=\n"
                                     "Spaced = x\n"
                                     "Last=no line end");
    // A key alone before a line break does not take the next line.
    const LanguageTable alone = load("A\nB=2\n");
    EXPECT_EQ(alone.translate_or(u"A", u"absent"), u"");
    EXPECT_EQ(alone.translate(u"B"), u"2");
    EXPECT_EQ(table.translate(u"KEY"), u"Value=1");
    EXPECT_EQ(table.translate(u"TWO"), u"Value");
    EXPECT_EQ(table.translate_or(u"ALONE", u"absent"), u"");
    EXPECT_EQ(table.translate(u"Indented"), u"Tabbed value with trailing  ");
    EXPECT_EQ(table.translate(u"Empty"), u"");
    // A run of blanks is the separator, so the "=" belongs to the value.
    EXPECT_EQ(table.translate(u"Spaced"), u"= x");
    EXPECT_EQ(table.translate(u"Last"), u"no line end");
    EXPECT_EQ(table.size(), 7u);
}

TEST(LanguageFile, LaterEntriesReplaceEarlierOnesAndKeysAreCaseSensitive)
{
    const LanguageTable table = load("Sun=One\nsun=lower\nSun=Two\n");
    EXPECT_EQ(table.translate(u"Sun"), u"Two");
    EXPECT_EQ(table.translate(u"sun"), u"lower");
    EXPECT_EQ(table.translate(u"SUN"), u"SUN");
}

TEST(LanguageFile, Utf16WithItsMarkAndEightBitTextOtherwise)
{
    const std::u16string text = u"Sun=Soleil\nMoon  Lune\nNoSkins=Pas de peau\n";
    const LanguageTable narrow = load(utf16_to_utf8(text));
    const LanguageTable wide = load(utf16_file(text));
    for (const char16_t* key : {u"Sun", u"Moon", u"NoSkins"})
        EXPECT_EQ(narrow.translate(key), wide.translate(key)) << utf16_to_utf8(key);
    EXPECT_EQ(wide.translate(u"Moon"), u"Lune");
    EXPECT_EQ(load(utf16_file(u"Moon=Луна\n")).translate(u"Moon"), u"Луна");
    EXPECT_EQ(load("Deg=90\xB0\n").translate(u"Deg"), std::u16string(u"90") + char16_t(0xB0));
    // FF FE followed by an odd number of bytes is not UTF-16: every byte is a character.
    const LanguageTable odd = load(std::string("\xFF\xFE" "A=1", 5));
    EXPECT_EQ(odd.translate(std::u16string(u"\u00FF\u00FE") + u"A"), u"1");
}

TEST(LanguageFile, MissingFileKeepsTheTableAndEmptyFileClearsIt)
{
    TemporaryFolder folder;
    write_file(folder.file("english.lng"), "Sun=Sun\n");
    write_file(folder.file("empty.lng"), "");
    LanguageTable table;
    EXPECT_TRUE(table.loaded_path().empty());
    const std::u16string english = utf8_to_utf16(folder.file("english.lng"));
    ASSERT_TRUE(table.load_language_file(english));
    EXPECT_EQ(table.loaded_path(), english);

    EXPECT_FALSE(table.load_language_file(utf8_to_utf16(folder.file("missing.lng"))));
    EXPECT_EQ(table.translate_or(u"Sun", u"gone"), u"Sun");
    EXPECT_EQ(table.loaded_path(), english);

    EXPECT_TRUE(table.load_language_file(utf8_to_utf16(folder.file("empty.lng"))));
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(table.translate(u"Sun"), u"Sun");
    EXPECT_EQ(table.translate_or(u"iso3166_FR", u""), u"");
}

} // namespace

} // namespace stellaro
