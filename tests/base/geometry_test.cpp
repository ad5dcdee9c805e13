#include "base/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "base/bits.h"

using namespace kvd;

TEST(RealPoints, CoordinatesSitInEightByteSlots) {
    TRealPoint3 p = RealPoint3(1.0L, -1.0L, 3.0L);
    unsigned char bytes[24];
    std::memcpy(bytes, &p, sizeof p);
    const unsigned char one[6] = {0x81, 0, 0, 0, 0, 0};
    const unsigned char minusOne[6] = {0x81, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(std::memcmp(bytes + 0, one, 6), 0);
    EXPECT_EQ(std::memcmp(bytes + 8, minusOne, 6), 0);
    EXPECT_EQ(bytes[16], 0x82);  // 3.0 = 1.5 * 2^1
    EXPECT_EQ(bytes[6] | bytes[7] | bytes[14] | bytes[15] | bytes[22] | bytes[23], 0);
}

TEST(Vectors, DotLengthNormalizeNegate) {
    TRealPoint3 a = RealPoint3(1, 2, 2), b = RealPoint3(-2, 0.5L, 4);
    EXPECT_DOUBLE_EQ(static_cast<double>(Dot3(a, b)), -2 + 1 + 8);
    EXPECT_DOUBLE_EQ(VectorLength3(a), 3.0);
    Normalize3(a);
    EXPECT_NEAR(static_cast<double>(a.X.ToLongDouble()), 1.0 / 3, 1e-12);
    EXPECT_NEAR(VectorLength3(a), 1.0, 1e-12);

    TRealPoint2 p = RealPoint2(3, -4);
    EXPECT_DOUBLE_EQ(static_cast<double>(VectorLength2(p)), 5.0);
    Negate2(p);
    EXPECT_EQ(p.X.ToDouble(), -3.0);
    EXPECT_EQ(p.Y.ToDouble(), 4.0);

    // A zero vector stays all zeros instead of dividing by zero.
    TRealPoint2 z = RealPoint2(0, 0);
    Normalize2(z);
    EXPECT_TRUE(z.X.IsZero());
    EXPECT_TRUE(z.Y.IsZero());
    TRealPoint3 z3 = RealPoint3(0, 0, 0);
    Normalize3(z3);
    EXPECT_TRUE(z3.Z.IsZero());
}

TEST(Angles, AngleOfCoversTheFullTurnFromZero) {
    struct Case {
        long double dy, dx, expected;
    } cases[] = {
        {0, 1, 0}, {1, 0, kPi / 2}, {0, -1, kPi}, {-1, 0, 1.5L * kPi}, {-1, 1, 1.75L * kPi}, {-0.0L, 1, 0},
    };
    for (const Case& c : cases) {
        const long double a = AngleOf(c.dy, c.dx);
        EXPECT_GE(a, 0.0L);
        EXPECT_NEAR(static_cast<double>(a), static_cast<double>(c.expected), 1e-11) << c.dy << "," << c.dx;
        // The result is what a 6-byte field holds.
        EXPECT_EQ(a, Real48(a).ToLongDouble());
    }
}

TEST(Distances, PointDistanceSignOfAndFootOnLine) {
    EXPECT_DOUBLE_EQ(static_cast<double>(PointDistance(1, 1, 4, 5)), 5.0);
    EXPECT_EQ(SignOf(0.0L), 1.0L);
    EXPECT_EQ(SignOf(-1e-30L), -1.0L);
    EXPECT_EQ(SignOf(7), 1.0L);

    TRealPoint2 foot;
    long double d = FootOnLine(foot, RealPoint2(3, 4), RealPoint2(0, 0), RealPoint2(10, 0));
    EXPECT_DOUBLE_EQ(static_cast<double>(d), 4.0);
    EXPECT_DOUBLE_EQ(foot.X.ToDouble(), 3.0);
    EXPECT_DOUBLE_EQ(foot.Y.ToDouble(), 0.0);

    // Beyond the segment's ends: the foot lies on the line's extension.
    d = FootOnLine(foot, RealPoint2(-2, 2), RealPoint2(0, 0), RealPoint2(1, 1));
    EXPECT_NEAR(static_cast<double>(d), std::sqrt(8.0), 1e-12);
    EXPECT_NEAR(foot.X.ToDouble(), 0.0, 1e-12);

    // A line of two equal points: the foot is that point.
    d = FootOnLine(foot, RealPoint2(4, 5), RealPoint2(1, 1), RealPoint2(1, 1));
    EXPECT_DOUBLE_EQ(static_cast<double>(d), 5.0);
    EXPECT_DOUBLE_EQ(foot.X.ToDouble(), 1.0);
}

TEST(Bits, SetClearToggleAndTest) {
    std::uint8_t b = 0;
    SetBit8(b, true, 3);
    EXPECT_EQ(b, 0x08);
    IncludeBit8(b, 7);
    ExcludeBit8(b, 3);
    EXPECT_EQ(b, 0x80);
    SetBit8(b, true, 9);  // beyond a byte: no change
    EXPECT_EQ(b, 0x80);

    std::uint16_t w = 0xFFFF;
    SetBit16(w, false, 15);
    ExcludeBit16(w, 0);
    EXPECT_EQ(w, 0x7FFE);
    ToggleBit16(w, 0);
    ToggleBit16(w, 1);
    EXPECT_EQ(w, 0x7FFD);
    IncludeBit16(w, 15);
    EXPECT_EQ(w, 0xFFFD);

    std::uint32_t v = 0;
    IncludeBit32(v, 31);
    SetBit32(v, true, 0);
    EXPECT_EQ(v, 0x80000001u);
    ExcludeBit32(v, 31);
    EXPECT_EQ(v, 1u);
    SetBit32(v, true, 32);  // out of range: no change, no undefined shift
    EXPECT_EQ(v, 1u);

    EXPECT_TRUE(BitIsSet64(31, 0x80000000u));
    EXPECT_FALSE(BitIsSet64(30, 0x80000000u));
    EXPECT_TRUE(BitIsSet64(40, std::uint64_t{1} << 40));
    EXPECT_TRUE(BitIsClear32(0xFFFFFFFEu, 0));
    EXPECT_FALSE(BitIsClear32(0xFFFFFFFEu, 1));
    EXPECT_TRUE(BitIsClear32(0xFFFFFFFFu, 40));
}
