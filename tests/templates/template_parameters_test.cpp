#include "templates/template_parameters.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kvd;

namespace {
template <typename T>
T At(const TemplateParameters& p, std::size_t offset) {
    T v;
    std::memcpy(&v, reinterpret_cast<const char*>(&p) + offset, sizeof v);
    return v;
}
long double R6At(const TemplateParameters& p, std::size_t offset) { return At<Real48>(p, offset).ToLongDouble(); }
}  // namespace

TEST(TemplateDefaults, EveryTabStartsFromItsDefaults) {
    TemplateParameters p;
    std::memset(static_cast<void*>(&p), 0x77, sizeof p);
    QuadrilateralSet working[kQuadrilateralKinds];
    std::memset(static_cast<void*>(working), 0x77, sizeof working);
    SetTemplateDefaults(p, working);

    // Offsets and values as the dialog's tables give them.
    EXPECT_EQ(At<std::uint16_t>(p, 0), 6);
    const std::pair<std::size_t, long double> reals[] = {
        {8, 100},     {16, 300},    {24, 250},   {32, 0},     {40, 0},     {48, 500},   {56, 300},
        {64, 0},      {456, 480},   {464, 340},  {472, 140},  {488, 1000}, {496, 100},  {512, 1000},
        {520, 100},   {9312, 0},    {10016, 10}, {10024, 0},  {10032, 30}, {10040, 250}, {10048, 800},
        {10056, 50},  {10064, 50},  {10072, 30}, {10344, 0},  {24216, 0},
    };
    for (auto [offset, v] : reals) EXPECT_EQ(R6At(p, offset), v) << offset;
    const std::pair<std::size_t, std::int32_t> ints[] = {
        {480, 11}, {504, 11}, {544, 2}, {548, 2}, {552, 3}, {556, 1}, {560, 0}, {564, 0},
        {1424, 1}, {1664, 2}, {1668, 2}, {1672, 3}, {1676, 0}, {9320, 0}, {10336, 0},
        {24208, 0}, {24548, 0}, {24552, 0},
    };
    for (auto [offset, v] : ints) EXPECT_EQ(At<std::int32_t>(p, offset), v) << offset;
    const std::pair<std::size_t, double> doubles[] = {
        {528, 2000}, {536, 600},
        // kitchen holes 0 and 1, hole 2 zero
        {640, 100}, {648, 100}, {656, 600}, {664, 400}, {688, 100}, {712, 400}, {736, 0},
        // kitchen reinforcements, joint and through cuts
        {784, 100}, {792, 50}, {800, 1800}, {816, 100}, {824, 550}, {832, 1800}, {848, 0},
        {976, 50}, {984, 50}, {992, 500}, {1008, 750}, {1040, 1450}, {1072, 0},
        {1232, 0}, {1240, 30}, {1248, 600}, {1264, 0},
        {1296, 500}, {1304, 200}, {1312, 300}, {1360, 500}, {1368, 200}, {1376, 300},
        // bathroom top
        {1432, 1200}, {1440, 600}, {1448, 0}, {1456, 200}, {1464, 200}, {1472, 0}, {1480, 400},
        {1488, 0}, {1496, 400}, {1504, 0}, {1512, 80}, {1520, 120}, {1528, 120}, {1536, 80},
        {1544, 600}, {1552, 80}, {1560, 480}, {1568, 360}, {1576, 140}, {1584, 600}, {1592, 100},
        {1600, 0},
        // corner top
        {1632, 2000}, {1640, 2000}, {1648, 600}, {1656, 600},
        {1680, 0}, {1688, 100}, {1696, 600}, {1704, 400}, {1728, 0}, {1736, 100}, {1776, 0}, {1784, 0},
        {1824, 100}, {1832, 50}, {1840, 1800}, {1856, 100}, {1864, 550}, {1888, 0},
        {2016, 50}, {2048, 750}, {2080, 1450}, {2096, 500}, {2112, 0},
    };
    for (auto [offset, v] : doubles) EXPECT_EQ(At<double>(p, offset), v) << offset;

    // Stored quadrilateral sets 0..4 and all six working sets: slot 2 = 500, slots 4..7 = 400.
    const double set[8] = {0, 0, 500, 0, 400, 400, 400, 400};
    for (std::size_t base : {72, 136, 200, 264, 9248})
        for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(At<double>(p, base + 8 * slot), set[slot]) << base;
    for (const QuadrilateralSet& w : working) EXPECT_EQ(std::memcmp(w.Slot, set, sizeof set), 0);
    // The unused blocks, the tombstone and the reserved bytes are zero.
    for (std::size_t offset : {328u, 392u, 448u, 2272u, 5000u, 10428u, 10828u, 24000u, 24544u, 24687u})
        EXPECT_EQ(At<std::uint8_t>(p, offset), 0) << offset;
}
