#include "currency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace expans {
namespace {

struct FromDoubleCase {
    std::string name;
    double value;
    std::int64_t ticks;
};

class CurrencyFromDouble : public ::testing::TestWithParam<FromDoubleCase> {};

TEST_P(CurrencyFromDouble, RoundsExactBinaryValueToNearestTenThousandth) {
    EXPECT_EQ(Currency::fromDouble(GetParam().value).ticks(), GetParam().ticks);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, CurrencyFromDouble,
    ::testing::Values(FromDoubleCase{"Zero", 0.0, 0}, FromDoubleCase{"NegativeZero", -0.0, 0},
                      FromDoubleCase{"ShortDecimal", 18.3, 183000},
                      FromDoubleCase{"FifthDecimalUp", 22.05864, 220586},
                      FromDoubleCase{"FifthDecimalDown", 24.76861, 247686},
                      // 0.00005 is stored slightly above one half of a tick, so it rounds up.
                      FromDoubleCase{"BinaryJustAboveHalf", 0.00005, 1},
                      FromDoubleCase{"QuarterTickDown", 0.000025, 0},
                      FromDoubleCase{"Negative", -0.50505, -5050},
                      FromDoubleCase{"NegativeTieAwayFromOddTick", -1.00015, -10002},
                      FromDoubleCase{"Large", 922337203685477.0, 9223372036854770000}),
    [](const auto& info) { return info.param.name; });

TEST(Currency, ExactBinaryTiesGoToEven) {
    // Multiples of 1/32 land exactly halfway between two ticks.
    EXPECT_EQ(Currency::fromDouble(1.0 / 32).ticks(), 312);  // 312.5
    EXPECT_EQ(Currency::fromDouble(3.0 / 32).ticks(), 938);  // 937.5
    EXPECT_EQ(Currency::fromDouble(-1.0 / 32).ticks(), -312);
    EXPECT_EQ(Currency::fromDouble(-3.0 / 32).ticks(), -938);
}

TEST(Currency, RejectsWhatItCannotHold) {
    EXPECT_FALSE(Currency::tryFromDouble(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(Currency::tryFromDouble(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(Currency::tryFromDouble(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(Currency::tryFromDouble(1e15));
    EXPECT_FALSE(Currency::tryFromDouble(-1e300));
    EXPECT_THROW(cy(std::nan("")), ArithmeticFault);
    EXPECT_THROW(Currency::fromInt(std::int64_t{1} << 62), ArithmeticFault);
}

TEST(Currency, SumsAreExactAndOverflowIsReported) {
    const Currency a = cy(0.1);
    const Currency b = cy(0.2);
    EXPECT_EQ((a + b).ticks(), 3000);
    EXPECT_EQ((a - b).ticks(), -1000);
    const Currency top = Currency::fromTicks(std::numeric_limits<std::int64_t>::max());
    EXPECT_THROW(top + Currency::fromTicks(1), ArithmeticFault);
    EXPECT_THROW(-top - Currency::fromTicks(2), ArithmeticFault);
    EXPECT_THROW(-Currency::fromTicks(std::numeric_limits<std::int64_t>::min()), ArithmeticFault);
}

struct ProductCase {
    std::string name;
    std::int64_t a, b, product;  // ticks
};

class CurrencyProduct : public ::testing::TestWithParam<ProductCase> {};

TEST_P(CurrencyProduct, RoundsToFourDecimalsTiesToEven) {
    const auto& c = GetParam();
    EXPECT_EQ((Currency::fromTicks(c.a) * Currency::fromTicks(c.b)).ticks(), c.product);
}

INSTANTIATE_TEST_SUITE_P(
    Products, CurrencyProduct,
    ::testing::Values(ProductCase{"AntifreezeNeed", 208000, 4000, 83200},  // 20.8 × 0.4 = 8.32
                      ProductCase{"PipeVolume", 2010, 200000, 40200},      // 0.201 × 20 = 4.02
                      ProductCase{"TieDownToEven", 5, 5000, 2},         // 0.0005 × 0.5 = 0.00025
                      ProductCase{"TieUpToEven", 15, 5000, 8},          // 0.0015 × 0.5 = 0.00075
                      ProductCase{"NegativeTieToEven", -15, 5000, -8},  // -0.00075
                      ProductCase{"AboveTie", 7, 5001, 4}),             // 0.00035007 -> 0.0004
    [](const auto& info) { return info.param.name; });

TEST(Currency, ProductOverflowAndIntegerScaling) {
    const Currency big = Currency::fromInt(1'000'000'000);
    EXPECT_THROW(big * big, ArithmeticFault);
    EXPECT_EQ((cy(4.5) * 25).ticks(), 1125000);
    EXPECT_THROW(Currency::fromTicks(std::int64_t{1} << 62) * 4, ArithmeticFault);
}

TEST(Currency, FloorGoesTowardMinusInfinity) {
    EXPECT_EQ(cy(2205.86).floor(), 2205);
    EXPECT_EQ(cy(-50.5).floor(), -51);
    EXPECT_EQ(cy(-3).floor(), -3);
    EXPECT_EQ(cy(0.9999).floor(), 0);
}

}  // namespace
}  // namespace expans
