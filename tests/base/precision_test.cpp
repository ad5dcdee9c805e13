#include "base/precision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/number_format.h"

using namespace kvd;

namespace {

class Precision : public ::testing::Test {
protected:
    void TearDown() override {
        NumberFormat = TNumberFormat{};
        SetPrecisionFactors();
    }
    static void UseDecimals(int d) {
        NumberFormat.Decimals = d;
        SetPrecisionFactors();
    }
};

}  // namespace

TEST_F(Precision, DefaultsAreThoseOfThreeDecimals) {
    // Built in 6-byte form: exact to its 39-bit fraction.
    EXPECT_NEAR(PrecisionStep, 0.001, 1e-14);
    EXPECT_NEAR(InvPrecisionStep, 1000.0, 1e-8);
    EXPECT_EQ(Pow10, 1000.0);
    EXPECT_EQ(Pow10Minus1, 100.0);
    EXPECT_EQ(Pow10Minus2, 10.0);
    EXPECT_EQ(Pow10Plus1, 1e4);
    EXPECT_EQ(Pow10Plus2, 1e5);
    EXPECT_DOUBLE_EQ(InvPow10, 0.001);
}

TEST_F(Precision, FactorsFollowTheDecimals) {
    struct Case {
        int d;
        double pow10, minus1, minus2, plus1, plus2;
    } cases[] = {
        {0, 1, 1, 1, 10, 100},
        {1, 10, 10, 10, 100, 1000},
        {2, 100, 10, 10, 1000, 1e4},
        {4, 1e4, 1e3, 100, 1e5, 1e6},
    };
    for (const Case& c : cases) {
        UseDecimals(c.d);
        EXPECT_EQ(Pow10, c.pow10) << c.d;
        EXPECT_EQ(Pow10Minus1, c.minus1) << c.d;
        EXPECT_EQ(Pow10Minus2, c.minus2) << c.d;
        EXPECT_EQ(Pow10Plus1, c.plus1) << c.d;
        EXPECT_EQ(Pow10Plus2, c.plus2) << c.d;
        if (c.d == 0)
            EXPECT_EQ(PrecisionStep, 0.0);
        else
            EXPECT_NEAR(PrecisionStep, 1.0 / c.pow10, 1e-11 / c.pow10) << c.d;
    }
}

TEST_F(Precision, RoundingTiesGoToTheEvenInteger) {
    UseDecimals(0);
    struct Case {
        long double x;
        std::int64_t expected;
    } noDecimals[] = {{2.5L, 2}, {3.5L, 4}, {-2.5L, -2}, {-3.5L, -4}, {0.4999L, 0}, {2.5001L, 3}};
    for (const Case& c : noDecimals) EXPECT_EQ(RoundToPrecision(c.x), c.expected) << static_cast<double>(c.x);

    UseDecimals(3);
    // 0.0625 and 0.1875 are exact binary values, so these are true ties.
    const Case threeDecimals[] = {{0.0625L, 62}, {0.1875L, 188}, {-0.0625L, -62}, {1.0L, 1000}, {0.0004L, 0}};
    for (const Case& c : threeDecimals) EXPECT_EQ(RoundToPrecision(c.x), c.expected) << static_cast<double>(c.x);
}

TEST_F(Precision, RoundingSaturatesOutsideTheIntegerRange) {
    EXPECT_EQ(RoundToPrecision(1e30L), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundToPrecision(-1e30L), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(RoundToPrecision(std::numeric_limits<long double>::quiet_NaN()), 0);
}
