#include "panel.h"

#include <gtest/gtest.h>

#include <string>

namespace expans {
namespace {

constexpr char kSep = ',';
constexpr double kTwip = 0.005;  // values compared at two decimals

Currency c(double value) {
    return Currency::fromDouble(value);
}

struct NeedleCase {
    std::string name;
    double pressureAbs;
    double x2, y2;
};

class Needle : public ::testing::TestWithParam<NeedleCase> {};

TEST_P(Needle, EndPointFromPivot) {
    const auto& p = GetParam();
    const Segment line = needleLine(c(p.pressureAbs));
    EXPECT_EQ(line.x1, 660.0f);
    EXPECT_EQ(line.y1, 660.0f);
    EXPECT_NEAR(line.x2, p.x2, kTwip);
    EXPECT_NEAR(line.y2, p.y2, kTwip);
}

INSTANTIATE_TEST_SUITE_P(Dial, Needle,
                         ::testing::Values(NeedleCase{"ZeroGauge", 1, 278.16, 1041.84},
                                           NeedleCase{"OneBar", 2, 120.00, 660.22},
                                           NeedleCase{"ThreeBarNearTop", 4, 659.35, 120.00},
                                           NeedleCase{"WorkedExample", 5.0418, 1053.57, 290.27},
                                           NeedleCase{"SixBarValveSetting", 7, 1042.75, 1040.92}),
                         [](const auto& info) { return info.param.name; });

struct BarCase {
    std::string name;
    double share;
    double height, top;
};

class GasBar : public ::testing::TestWithParam<BarCase> {};

TEST_P(GasBar, GrowsUpFromFixedBottom) {
    const auto& p = GetParam();
    const BarGeometry bar = gasBar(p.share);
    EXPECT_NEAR(bar.height, p.height, kTwip);
    EXPECT_NEAR(bar.top, p.top, kTwip);
}

INSTANTIATE_TEST_SUITE_P(Shares, GasBar,
                         ::testing::Values(BarCase{"FullOfGas", 1, 1356, 899},
                                           BarCase{"Half", 0.5, 678, 1577},
                                           BarCase{"ValveLimit", 4.5 / 7, 871.71, 1383.29},
                                           BarCase{"NoGas", 0, 0, 2255}),
                         [](const auto& info) { return info.param.name; });

struct TextCase {
    std::string name;
    double value;
    std::string text;
};

class GaugePressureText : public ::testing::TestWithParam<TextCase> {};

TEST_P(GaugePressureText, CutToTwoDecimals) {
    EXPECT_EQ(gaugePressureText(c(GetParam().value), kSep), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Pressures, GaugePressureText,
                         ::testing::Values(TextCase{"WorkedExample", 5.0418, "4,04"},
                                           TextCase{"JustBelowFour", 4.9999, "3,99"},
                                           TextCase{"ValveSetting", 7, "6"},
                                           TextCase{"EmptyVessel", 1, "0"},
                                           TextCase{"StartUp", 5.11, "4,11"}),
                         [](const auto& info) { return info.param.name; });

class BoilingPointText : public ::testing::TestWithParam<TextCase> {};

TEST_P(BoilingPointText, CutToTwoDecimalsWithUnit) {
    EXPECT_EQ(boilingPointText(c(GetParam().value), kSep), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Temperatures, BoilingPointText,
                         ::testing::Values(TextCase{"WorkedExample", 162.9474, "162,94°C"},
                                           TextCase{"Atmospheric", 100.6886, "100,68°C"},
                                           TextCase{"Whole", 120, "120°C"},
                                           TextCase{"BelowZeroCutsDown", -27.7659, "-27,77°C"}),
                         [](const auto& info) { return info.param.name; });

class VapourShareText : public ::testing::TestWithParam<TextCase> {};

TEST_P(VapourShareText, WholePercentRoundedDown) {
    EXPECT_EQ(vapourShareText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Shares, VapourShareText,
                         ::testing::Values(TextCase{"None", 0, "0 %"},
                                           TextCase{"Partial", 0.545, "54 %"},
                                           TextCase{"AlmostAll", 0.999, "99 %"},
                                           TextCase{"All", 1, "100 %"},
                                           TextCase{"ValveLimited", 0.2819, "28 %"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace expans
