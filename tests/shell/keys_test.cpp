#include "skin/elements/keys.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

TEST(Keys, VirtualKeysOfThePhone)
{
    EXPECT_EQ(key_from_virtual_key(7), KEY_NONE);
    EXPECT_EQ(key_from_virtual_key(121), KEY_NONE);
    EXPECT_EQ(key_from_virtual_key(116), KEY_NONE); // F5 stands for no phone key
    EXPECT_EQ(key_from_virtual_key(27), KEY_BACKSPACE);
    EXPECT_EQ(key_from_virtual_key(8), KEY_BACKSPACE);
    EXPECT_EQ(key_from_virtual_key('A'), 20);
    EXPECT_EQ(key_from_virtual_key('Z'), 45);
    EXPECT_EQ(key_from_virtual_key('0'), 46);
    EXPECT_EQ(key_from_virtual_key('9'), 55);
    EXPECT_EQ(key_from_virtual_key(112), KEY_SOFT_LEFT);
    EXPECT_EQ(key_from_virtual_key(113), KEY_SOFT_RIGHT);
    EXPECT_EQ(key_from_virtual_key(119), KEY_STAR);
    EXPECT_EQ(key_from_virtual_key(120), KEY_HASH);
    EXPECT_EQ(key_from_virtual_key(37), KEY_LEFT);
    EXPECT_EQ(key_from_virtual_key(40), KEY_DOWN);
}

TEST(Keys, NamesBothWays)
{
    for (int code = 0; code <= 64; ++code) {
        const auto name = key_name(static_cast<uint8_t>(code));
        ASSERT_TRUE(name) << code;
        EXPECT_EQ(key_from_name(*name), code);
    }
    EXPECT_FALSE(key_name(65));
    EXPECT_EQ(key_name(KEY_SOFT_LEFT), "SOFT_LEFT");
    EXPECT_EQ(key_from_name(u"SOFT_LEFT"), 61);
    EXPECT_FALSE(key_from_name("soft_left"));
    EXPECT_FALSE(key_from_name(""));
    EXPECT_FALSE(key_from_name(u"\u00c4"));
}

} // namespace

} // namespace stellaro
