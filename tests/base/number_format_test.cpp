#include "base/number_format.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kvd;

namespace {

class NumberText : public ::testing::Test {
protected:
    void TearDown() override { NumberFormat = TNumberFormat{}; }
};

struct Case {
    int decimals;
    bool keep;
    long double x;
    const char* text;
};

void ExpectTexts(const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c)
        EXPECT_EQ(FormatReal(c->decimals, c->keep, c->x), c->text)
            << c->decimals << (c->keep ? " keep " : " ") << static_cast<double>(c->x);
}

}  // namespace

TEST_F(NumberText, DefaultFormat) {
    const Case cases[] = {
        {3, false, 12.5L, "12.5"},
        {3, true, 12.5L, "12.500"},
        {3, false, 12.0L, "12"},
        {3, false, -0.0001L, "0.0"},
        {3, true, -0.0001L, "0.000"},
        {3, false, 0.0L, "0.0"},
        {3, false, 100.0L, "100"},  // zeros before the point stay
        {0, false, 100.0L, "100"},
        {3, true, 7.0L, "7.000"},
        {3, false, -12.25L, "-12.25"},
        {3, false, 9.9996L, "10"},
        {3, false, 1234567.891L, "1234567.891"},
        {6, false, 0.1L, "0.1"},
        {-2, false, 2.4L, "2"},  // no negative decimals
    };
    ExpectTexts(std::begin(cases), std::end(cases));
}

TEST_F(NumberText, HalvesRoundAwayFromZero) {
    const Case cases[] = {
        {0, false, 2.5L, "3"},
        {0, false, -2.5L, "-3"},
        {2, false, 0.125L, "0.13"},
        {3, false, 0.0625L, "0.063"},
        // As doubles these lie a little below the half, so they round down.
        {3, false, 1.0005, "1"},
        {2, false, 0.995, "0.99"},
        {2, false, 0.985, "0.98"},
    };
    ExpectTexts(std::begin(cases), std::end(cases));
}

TEST_F(NumberText, FormatOptions) {
    NumberFormat.ZeroWithDecimal = 0;
    EXPECT_EQ(FormatReal(3, false, 0.0L), "0");
    EXPECT_EQ(FormatReal(3, false, -0.0001L), "0");

    NumberFormat = TNumberFormat{};
    NumberFormat.TrailingPoint = 1;
    EXPECT_EQ(FormatReal(3, false, 12.0L), "12.");
    EXPECT_EQ(FormatReal(3, false, 12.5L), "12.5");
    EXPECT_EQ(FormatReal(3, false, 0.0L), "0.0");

    NumberFormat = TNumberFormat{};
    NumberFormat.PlusSign = 1;
    EXPECT_EQ(FormatReal(3, false, 12.5L), "+12.5");
    EXPECT_EQ(FormatReal(3, false, -3.0L), "-3");
    EXPECT_EQ(FormatReal(3, false, 0.0L), "+0.0");
}

TEST_F(NumberText, FixedAndDefaultVariants) {
    EXPECT_EQ(FormatRealFixed(6, 1.5L), "1.5");
    NumberFormat.Decimals = 2;
    EXPECT_EQ(FormatRealDefault(3.14159L), "3.14");
    EXPECT_EQ(FormatRealDefault(2.0L), "2");
}

TEST_F(NumberText, TextIsAShortString) {
    EXPECT_EQ(FormatReal(300, true, 1.0L).size(), kShortStringMax);
    EXPECT_EQ(FormatReal(3, false, 1e300L).size(), kShortStringMax);
}

TEST(IntegerText, WholeRange) {
    EXPECT_EQ(Int64ToText(0), "0");
    EXPECT_EQ(Int64ToText(-42), "-42");
    EXPECT_EQ(Int64ToText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(Int64ToText(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
}
