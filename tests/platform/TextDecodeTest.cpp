#include "platform/TextDecode.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(TextDecode, Utf8StaysOthersAreGbk) {
    EXPECT_EQ(DecodeTextToUtf8("Volts"), "Volts");
    EXPECT_EQ(DecodeTextToUtf8("电压(V)"), "电压(V)");
    EXPECT_TRUE(IsValidUtf8("电压"));
    // "电压" and "温度" in GBK.
    EXPECT_FALSE(IsValidUtf8("\xB5\xE7\xD1\xB9"));
    EXPECT_EQ(DecodeTextToUtf8("\xB5\xE7\xD1\xB9"), "电压");
    EXPECT_EQ(DecodeText("\xCE\xC2\xB6\xC8"), QString::fromUtf8("温度"));
    // A truncated UTF-8 sequence is not UTF-8.
    EXPECT_FALSE(IsValidUtf8("\xE7\x94"));
    EXPECT_EQ(DecodeTextToUtf8(""), "");
}

} // namespace
} // namespace kurvon
