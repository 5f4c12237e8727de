#include <gtest/gtest.h>

#include "common/text.h"

namespace fw {
namespace {

TEST(SplitLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(Cp1252, RoundTripsEveryByteThroughWide) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    bool lossless = false;
    EXPECT_EQ(Cp1252FromWide(WideFromCp1252(all), &lossless), all);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(WideFromCp1252("\xD7\x80\xF5"), std::wstring(L"\u00D7\u20AC\u00F5"));
    EXPECT_EQ(Cp1252FromWide(L"\u0416x", &lossless), "?x");
    EXPECT_FALSE(lossless);
}

}  // namespace
}  // namespace fw
