#include "NumberText.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kova;

TEST(NumberText, IntegerParsingReadsTheLeadingNumber) {
    EXPECT_EQ(ParseInt("12"), 12);
    EXPECT_EQ(ParseInt("  -7abc"), -7);
    EXPECT_EQ(ParseInt("abc"), 0);
    EXPECT_EQ(ParseInt("2.9"), 2);
    EXPECT_EQ(ParseInt("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseInt("-99999999999"), std::numeric_limits<int>::min());
    EXPECT_EQ(ParseLong("-9223372036854775808"), std::numeric_limits<long>::min());
    EXPECT_EQ(ParseLong("99999999999999999999999"), std::numeric_limits<long>::max());
}

TEST(NumberText, RealParsingAndFormattingIgnoreTheLocale) {
    // A desktop locale with a decimal comma must not change the files.
    const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(ParseDouble("3.25"), 3.25);
    EXPECT_DOUBLE_EQ(ParseDouble(" -1.5e2x"), -150.0);
    EXPECT_EQ(ParseDouble("x1"), 0.0);
    EXPECT_EQ(ParseDouble("1e999"), HUGE_VAL);
    EXPECT_EQ(FormatFixed6(3.14159265), "3.141593");
    EXPECT_EQ(FormatFixed6(0.0000004), "0.000000");
    EXPECT_EQ(FormatFixed(1.005, 1), "1.0");
    EXPECT_EQ(FormatFixed(2.25, 1), "2.2"); // round half to even, as printf does
    if (old) std::setlocale(LC_NUMERIC, "C");
}
