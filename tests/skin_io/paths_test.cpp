#include "platform/executable_path.h"
#include "platform/utf.h"
#include "skin/io/paths.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

TEST(Paths, OnlyALeadingMacroInItsOwnCaseIsExpandedAndSeparatorsBecomeSlashes)
{
    const std::u16string full = utf8_to_utf16(executable_path());
    const std::u16string folder = full.substr(0, full.find_last_of(u'/'));
    const EnvironmentGuard home("HOME", "/home/tester");
    const EnvironmentGuard config("XDG_CONFIG_HOME", "/nonexistent-config");
    const struct {
        const char16_t* text;
        std::u16string expanded;
    } cases[] = {
        {u"%app_path%/skins/bin/default.skin", folder + u"/skins/bin/default.skin"},
        {u"%app_name%.txt", u"skin_io_tests.txt"},
        {u"%app_full_name%", full},
        {u"%my_documents%/notes", u"/home/tester/Documents/notes"},
        {u"data\\%app_path%\\x", u"data/%app_path%/x"},
        {u"%APP_PATH%/x", u"%APP_PATH%/x"},
        {u"%windows%\\x", u"/x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expand_macros(c.text), c.expanded) << utf16_to_utf8(c.text);
}

TEST(Paths, PartsAndComparisonTakeEitherSeparatorAndIgnoreLetterCase)
{
    EXPECT_EQ(dir_part(u"a/b\\c.txt"), u"a/b\\");
    EXPECT_EQ(file_part(u"a\\b/c.txt"), u"c.txt");
    EXPECT_EQ(strip_trailing_separator(u"a/b//"), u"a/b/");
    EXPECT_TRUE(same_path(u"%app_path%/Skins/", u"%app_path%\\skins"));
    EXPECT_TRUE(same_path(u"/Data/\u0417\u0412\u0415\u0417\u0414\u042b", u"/data/\u0437\u0432\u0435\u0437\u0434\u044b/"));
    EXPECT_FALSE(same_path(u"/data/a", u"/data/b"));
}

} // namespace

} // namespace stellaro
