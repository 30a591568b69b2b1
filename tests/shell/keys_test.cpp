#include "skin/elements/keys.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

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
