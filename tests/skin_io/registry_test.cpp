#include "skin/io/registry.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

TEST(Registry, TypedValuesRoundTrip)
{
    TemporaryRegistry registry;
    ASSERT_TRUE(reg_set_string(SETTINGS_KEY, u"language", u"fran\u00e7ais"));
    ASSERT_TRUE(reg_set_dword(SETTINGS_KEY, u"show_grid", 0));
    std::u16string text;
    uint32_t number = 99;
    bool flag = true;
    EXPECT_TRUE(reg_get_string(SETTINGS_KEY, u"language", text));
    EXPECT_EQ(text, u"fran\u00e7ais");
    EXPECT_TRUE(reg_get_dword(SETTINGS_KEY, u"show_grid", number));
    EXPECT_EQ(number, 0u);
    EXPECT_TRUE(reg_get_bool(SETTINGS_KEY, u"show_grid", flag));
    EXPECT_FALSE(flag);
}

TEST(Registry, WrongTypesAndMissingValuesLeaveTheOutputAlone)
{
    TemporaryRegistry registry;
    ASSERT_TRUE(reg_set_string(SETTINGS_KEY, u"latitude", u"12"));
    ASSERT_TRUE(reg_set_dword(SETTINGS_KEY, u"count", 3));
    uint32_t number = 77;
    std::u16string text = u"unchanged";
    EXPECT_FALSE(reg_get_dword(SETTINGS_KEY, u"latitude", number));
    EXPECT_EQ(number, 77u);
    EXPECT_FALSE(reg_get_string(SETTINGS_KEY, u"count", text));
    EXPECT_FALSE(reg_get_string(SETTINGS_KEY, u"missing", text));
    EXPECT_EQ(text, u"unchanged");
}

TEST(Registry, KeyPathsNeedAKnownRoot)
{
    TemporaryRegistry registry;
    uint32_t number = 0;
    EXPECT_FALSE(reg_set_dword(u"Software\\Vendrix", u"x", 1));
    EXPECT_FALSE(reg_set_dword(u"HKEY_CURRENT_CONFIG\\Software", u"x", 1));
    EXPECT_FALSE(reg_get_dword(u"hkey_current_user\\Software", u"x", number));
    EXPECT_TRUE(reg_set_dword(u"HKEY_LOCAL_MACHINE/Software/Vendrix", u"x", 1));
    // The separator after the root is dropped and the rest of the path is used as given.
    EXPECT_TRUE(reg_get_dword(u"HKEY_LOCAL_MACHINE\\Software/Vendrix", u"x", number));
}

TEST(Registry, SeveralValuesInOneSave)
{
    TemporaryRegistry registry;
    ASSERT_TRUE(reg_set_dwords(SETTINGS_KEY, {{u"a", 1}, {u"b", 2}}));
    uint32_t b = 0;
    EXPECT_TRUE(reg_get_dword(SETTINGS_KEY, u"B", b));
    EXPECT_EQ(b, 2u);
}

} // namespace

} // namespace stellaro
