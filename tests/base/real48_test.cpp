#include "kvd/real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <vector>

using kvd::Real48;

namespace {
std::vector<int> Bytes(const Real48& r) { return {r.bytes, r.bytes + 6}; }
}  // namespace

TEST(Real48, KnownByteImages) {
    struct Case {
        long double value;
        std::vector<int> bytes;
    } cases[] = {
        {1.0L, {0x81, 0, 0, 0, 0, 0}},
        {-1.0L, {0x81, 0, 0, 0, 0, 0x80}},
        {std::numbers::pi_v<long double>, {0x82, 0x21, 0xA2, 0xDA, 0x0F, 0x49}},
        {std::numbers::pi_v<long double> / 2, {0x81, 0x21, 0xA2, 0xDA, 0x0F, 0x49}},
        {3 * std::numbers::pi_v<long double> / 2, {0x83, 0x99, 0xF9, 0xE3, 0xCB, 0x16}},
        {0.0L, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Bytes(Real48(c.value)), c.bytes) << static_cast<double>(c.value);
    }
}

TEST(Real48, RoundTripsValuesItCanHold) {
    // Any value with at most 40 significant bits survives exactly.
    for (long double v : {1.0L, -2.5L, 1000.125L, 0.001953125L, 123456789.0L, -0.75L, 65535.0L}) {
        EXPECT_EQ(Real48(v).ToLongDouble(), v);
    }
    // Others are rounded to the nearest 40-bit value: relative error below 2^-40.
    for (long double v : {0.1L, 1.0L / 3, -std::sqrt(2.0L), 1e30L, 1e-30L}) {
        long double back = Real48(v).ToLongDouble();
        EXPECT_LE(std::fabs(back - v) / std::fabs(v), 0x1p-40L) << static_cast<double>(v);
    }
}

TEST(Real48, BelowSmallestNormalStoresZeroAndHugeSaturates) {
    EXPECT_TRUE(Real48(0x1p-129L).IsZero());
    EXPECT_TRUE(Real48(-0x1p-130L).IsZero());
    EXPECT_FALSE(Real48(0x1p-128L).IsZero());
    EXPECT_EQ(Real48(0x1p-128L).ToLongDouble(), 0x1p-128L);
    EXPECT_EQ(Real48(1e300L).ToLongDouble(), kvd::kReal48Max);
    EXPECT_EQ(Real48(-1e300L).ToLongDouble(), -kvd::kReal48Max);
    EXPECT_TRUE(Real48(std::nanl("")).IsZero());
}

TEST(Real48, RoundingCarriesIntoTheExponent) {
    // Just below 2: the fraction rounds up to 2^39 and the exponent grows.
    long double v = 2.0L - 0x1p-45L;
    EXPECT_EQ(Real48(v).ToLongDouble(), 2.0L);
    EXPECT_EQ(Bytes(Real48(v)), (std::vector<int>{0x82, 0, 0, 0, 0, 0}));
}

TEST(Real48, InfinitySaturatesAndTiesRoundToEven) {
    EXPECT_EQ(Real48(std::numeric_limits<long double>::infinity()).ToLongDouble(), kvd::kReal48Max);
    EXPECT_EQ(Real48(-std::numeric_limits<long double>::infinity()).ToLongDouble(), -kvd::kReal48Max);
    // 1 + 2^-40 lies halfway between 1 and 1 + 2^-39: ties go to the even fraction (1).
    EXPECT_EQ(Real48(1.0L + 0x1p-40L).ToLongDouble(), 1.0L);
    // 1 + 3 * 2^-40 lies halfway between odd and even fractions: rounds up to 1 + 2^-38.
    EXPECT_EQ(Real48(1.0L + 3 * 0x1p-40L).ToLongDouble(), 1.0L + 0x1p-38L);
}
