#include "skin/io/registry.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

TEST(Registry, SettingsRoundTripAndAWrongTypeOrUnknownRootLeavesTheOutputAlone)
{
    TemporaryRegistry registry;
    ASSERT_TRUE(reg_set_string(SETTINGS_KEY, u"language", u"fran\u00e7ais"));
    ASSERT_TRUE(reg_set_dwords(SETTINGS_KEY, {{u"show_grid", 0}, {u"b", 2}}));
    std::u16string text;
    uint32_t number = 99;
    bool flag = true;
    EXPECT_TRUE(reg_get_string(SETTINGS_KEY, u"language", text));
    EXPECT_EQ(text, u"fran\u00e7ais");
    EXPECT_TRUE(reg_get_bool(SETTINGS_KEY, u"show_grid", flag));
    EXPECT_FALSE(flag);
    // Names ignore letter case.
    EXPECT_TRUE(reg_get_dword(SETTINGS_KEY, u"B", number));
    EXPECT_EQ(number, 2u);

    EXPECT_FALSE(reg_get_dword(SETTINGS_KEY, u"language", number));
    EXPECT_FALSE(reg_get_string(SETTINGS_KEY, u"show_grid", text));
    EXPECT_FALSE(reg_get_string(SETTINGS_KEY, u"missing", text));
    EXPECT_EQ(number, 2u);
    EXPECT_EQ(text, u"fran\u00e7ais");
    EXPECT_FALSE(reg_set_dword(u"Software\\Vendrix", u"x", 1));
    EXPECT_FALSE(reg_get_dword(u"hkey_current_user\\Software", u"x", number));
    // The separator after the root is dropped and the rest of the path is used as given.
    EXPECT_TRUE(reg_set_dword(u"HKEY_LOCAL_MACHINE/Software/Vendrix", u"x", 1));
    EXPECT_TRUE(reg_get_dword(u"HKEY_LOCAL_MACHINE\\Software/Vendrix", u"x", number));
}

} // namespace

} // namespace stellaro
