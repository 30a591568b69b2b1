#include "platform/executable_path.h"
#include "platform/utf.h"
#include "skin/io/paths.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace stellaro {

namespace {

std::u16string app_folder()
{
    const std::u16string full = utf8_to_utf16(executable_path());
    return full.substr(0, full.find_last_of(u'/'));
}

TEST(Paths, AppMacrosComeFromTheRunningExecutable)
{
    EXPECT_EQ(get_app_path(), utf8_to_utf16(executable_path()));
    EXPECT_EQ(expand_macros(u"%app_path%/skins/bin/default.skin"), app_folder() + u"/skins/bin/default.skin");
    EXPECT_EQ(expand_macros(u"%app_name%.txt"), u"skin_io_tests.txt");
    EXPECT_EQ(expand_macros(u"%app_full_name%"), get_app_path());
}

TEST(Paths, OnlyALeadingMacroInItsOwnCaseIsExpanded)
{
    EXPECT_EQ(expand_macros(u"data\\%app_path%\\x"), u"data/%app_path%/x");
    EXPECT_EQ(expand_macros(u"%APP_PATH%/x"), u"%APP_PATH%/x");
    EXPECT_EQ(expand_macros(u"%windows%\\x"), u"/x");
    EXPECT_EQ(expand_macros(u"plain"), u"plain");
}

TEST(Paths, DocumentsFolderFollowsTheUserSettings)
{
    const EnvironmentGuard home("HOME", "/home/tester");
    const EnvironmentGuard config("XDG_CONFIG_HOME", "/nonexistent-config");
    EXPECT_EQ(expand_macros(u"%my_documents%/notes"), u"/home/tester/Documents/notes");
}

TEST(Paths, PartsAndComparison)
{
    EXPECT_EQ(dir_part(u"a/b\\c.txt"), u"a/b\\");
    EXPECT_EQ(dir_part(u"c.txt"), u"");
    EXPECT_EQ(file_part(u"a\\b/c.txt"), u"c.txt");
    EXPECT_EQ(file_part(u"c.txt"), u"c.txt");
    EXPECT_EQ(strip_trailing_separator(u"a/b/"), u"a/b");
    EXPECT_EQ(strip_trailing_separator(u"a/b//"), u"a/b/");
    EXPECT_TRUE(same_path(u"%app_path%/Skins/", u"%app_path%\\skins"));
    EXPECT_TRUE(same_path(u"/Data/\u0417\u0412\u0415\u0417\u0414\u042b", u"/data/\u0437\u0432\u0435\u0437\u0434\u044b/"));
    EXPECT_FALSE(same_path(u"/data/a", u"/data/b"));
}

} // namespace

} // namespace stellaro
