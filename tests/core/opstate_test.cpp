#include "opstate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "numtext.h"

namespace expans {
namespace {

constexpr char kSep = ',';

struct Fluid {
    double fraction, a, b, c;
};
constexpr Fluid kWater{0, 0.001, -1.19155e-07, 4.51198e-09};
constexpr Fluid kGlycol40{0.4, 0.00095772, 4.27281e-07, 2.33467e-09};

Currency c(double value) {
    return Currency::fromDouble(value);
}

// The circuit data the panel reads; pressures given as gauge-plus-one absolute values.
struct Circuit {
    Fluid fluid = kWater;
    double volume = 18.3;
    std::int16_t vessel = 25;
    double pre = 4.5, fill = 5, max = 7, cold = 20, height = 7;
    double collectorVolume = 2;
};

MainState stateFor(const Circuit& k, int t1) {
    MainState s;
    s.GlycolFraction = c(k.fluid.fraction);
    s.SpecVolumeA = k.fluid.a;
    s.SpecVolumeB = k.fluid.b;
    s.SpecVolumeC = k.fluid.c;
    s.SystemVolume = c(k.volume);
    s.SelectedVesselVolume = k.vessel;
    s.PrePressureAbs = c(k.pre);
    s.FillPressureAbs = c(k.fill);
    s.MaxPressureAbs = c(k.max);
    s.ColdTemperature = c(k.cold);
    s.StaticHeight = c(k.height);
    s.CollectorVolume = c(k.collectorVolume);
    s.MeanTemperature = static_cast<std::int16_t>(t1);
    return s;
}

// Runs the sliders the way the window does: mean slider, nested recomputation, recomputation.
OperatingOutcome run(const Circuit& k, int t1, std::optional<int> t2 = std::nullopt) {
    MainState s = stateFor(k, 0);
    const std::string text11 = currencyText(s.CollectorVolume, kSep);
    const MeanSliderStep step = meanSlider(s, t1);
    OperatingOutcome out = recompute(s, step.collectorTemperature, text11, kSep);
    out = recompute(out.state, t2.value_or(step.collectorTemperature), text11, kSep);
    return out;
}

// Reference values of the boiling-point correlation; pressures below vacuum count as vacuum.
struct BoilingCase {
    std::string name;
    double pressure, percent, celsius;
};

class BoilingPointCorrelation : public ::testing::TestWithParam<BoilingCase> {};

TEST_P(BoilingPointCorrelation, MatchesReferenceToFourDecimals) {
    const auto& p = GetParam();
    EXPECT_NEAR(boilingPoint(p.pressure, p.percent), p.celsius, 0.5e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Reference, BoilingPointCorrelation,
    ::testing::Values(BoilingCase{"WaterAtmospheric", 1.01325, 0, 100.6886},
                      BoilingCase{"WaterTwoBar", 2, 0, 132.1162},
                      BoilingCase{"Glycol40OneBar", 1, 40, 108.2293},
                      BoilingCase{"WaterVacuum", 0, 0, -27.7975},
                      BoilingCase{"BelowVacuumCountsAsVacuum", -1.07, 0, -27.7975},
                      BoilingCase{"FarBelowVacuumDoesNotOverflow", -1e6, 0, -27.7975}),
    [](const auto& info) { return info.param.name; });

// Worked examples of the model, the valve limit and the start-up panel.
struct WorkedCase {
    std::string name;
    Circuit circuit;
    int t1, t2;
    BoilingState boiling;
    double f;  // at 0.001
    bool limited, blows;
    double pressure;             // bar absolute, at 0.0001 unless roughPressure
    bool roughPressure = false;  // given to three decimals
    std::optional<double> gasVolume, boilingPointValue, operatingVolume;
    std::string vapourShareText;
};

class WorkedExample : public ::testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedExample, ReproducesStateAndShare) {
    const auto& w = GetParam();
    const OperatingOutcome out = run(w.circuit, w.t1, w.t2);
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.boiling, w.boiling);
    EXPECT_NEAR(out.vapourFraction, w.f, 0.5e-3);
    EXPECT_EQ(out.valveLimited, w.limited);
    EXPECT_EQ(out.valveBlowsOff, w.blows);
    EXPECT_EQ(out.display.closedValveVisible, !w.blows);
    EXPECT_NEAR(out.state.SystemPressureAbs.toDouble(), w.pressure, w.roughPressure ? 0.5e-3 : 0);
    if (w.gasVolume) {
        EXPECT_EQ(out.state.GasVolume, c(*w.gasVolume));
    }
    if (w.boilingPointValue) {
        EXPECT_EQ(out.state.BoilingPoint, c(*w.boilingPointValue));
    }
    if (w.operatingVolume) {
        EXPECT_EQ(out.state.OperatingVolume, c(*w.operatingVolume));
    }
    EXPECT_EQ(out.display.vapourShareText, w.vapourShareText);
    EXPECT_EQ(out.display.vapourLabelsVisible, w.boiling != BoilingState::None);
}

const Circuit kExample{};
const Circuit kExampleSmallVessel{.vessel = 8};
const Circuit kExampleLargeCircuit{.volume = 40, .vessel = 8};
const Circuit kStartUp{.fluid = kGlycol40, .collectorVolume = 4.71};
const Circuit kStartUpSmallVessel{.fluid = kGlycol40, .vessel = 8, .collectorVolume = 4.71};

using enum BoilingState;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Model, WorkedExample,
    ::testing::Values(
        //         name                    circuit    T1   T2  state     f      limit  blows  p       rough
        WorkedCase{"Water60To70NoBoiling", kExample, 60,  70, None,    0,      false, false, 5.0418, false,
                   22.3133, 162.9474, 18.4867, "0 %"},
        WorkedCase{"Water140To166Partial", kExample, 140, 166, Partial, 0.545, false, false, 5.587,  true,
                   {}, {}, {}, "54 %"},
        WorkedCase{"Water140To170Full",    kExample, 140, 170, Full,    1,     false, false, 5.8333, false,
                   {}, {}, {}, "100 %"},
        WorkedCase{"EightLitre150To200ValveLimit", kExampleSmallVessel, 150, 200, Full, 0.2819, true, true, 7, false,
                   4.5 / 7 * 8, {}, {}, "28 %"},
        WorkedCase{"StartUpPanel", kStartUp, 60, 70, None, 0, false, false, 5.11, false,
                   {}, 175.3651, {}, "0 %"},
        // The circuit's own expansion exceeds the cushion: the capped vapour share would be
        // negative (-1.0093 and -0.0277); no vapour forms instead.
        WorkedCase{"LargeCircuitNegativeShareIsZero", kExampleLargeCircuit, 160, 200, Full, 0, true, true, 7, false,
                   {}, {}, {}, "0 %"},
        WorkedCase{"StartUpEightLitreNegativeShareIsZero", kStartUpSmallVessel, 160, 200, Full, 0, true, true, 7, false,
                   {}, {}, {}, "0 %"}),
    [](const auto& info) { return info.param.name; });
// clang-format on

struct ClassifyCase {
    std::string name;
    double t2, tbl, tbv;
    bool limited;
    double vvMax, vc;
    BoilingState state;
    double f;
    std::optional<bool> labels;
};

class BoilingClassification : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(BoilingClassification, StateShareAndLabels) {
    const auto& p = GetParam();
    const Boiling b = classifyBoiling(p.t2, p.tbl, p.tbv, p.limited, p.vvMax, p.vc);
    EXPECT_EQ(b.state, p.state);
    EXPECT_NEAR(b.fraction, p.f, 1e-12);
    EXPECT_EQ(vapourLabelsVisible(b.state), p.labels);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Bracket, BoilingClassification,
    ::testing::Values(
        //           name                      T2   Tbl  Tbv  limit  Vvmax  Vc  state         f     labels
        ClassifyCase{"BelowBracket",           100, 110, 120, false, 2,     2,  None,         0,    false},
        ClassifyCase{"BelowBracketLimited",    100, 110, 120, true,  1,     2,  None,         0,    false},
        ClassifyCase{"InsideBracket",          115, 110, 120, false, 2,     2,  Partial,      0.5,  true},
        ClassifyCase{"InsideBracketLimited",   115, 110, 120, true,  0.5,   2,  Partial,      0.25, true},
        ClassifyCase{"AboveBracket",           130, 110, 120, false, 2,     2,  Full,         1,    true},
        ClassifyCase{"AboveBracketLimited",    130, 110, 120, true,  0.5,   2,  Full,         0.25, true},
        ClassifyCase{"AtLowerBoiling",         110, 110, 120, false, 2,     2,  Unclassified, 0,    std::nullopt},
        ClassifyCase{"AtUpperBoiling",         120, 110, 120, false, 2,     2,  Unclassified, 0,    std::nullopt},
        ClassifyCase{"AtCoincidingBoiling",    120, 120, 120, true,  0.5,   2,  Unclassified, 0,    std::nullopt},
        ClassifyCase{"NegativeCapIsNoVapour",  130, 110, 120, true,  -2.0187, 2, Full,        0,    true},
        ClassifyCase{"CapAboveContentIsAll",   130, 110, 120, true,  3,     2,  Full,         1,    true},
        ClassifyCase{"EmptyCollectorLimited",  130, 110, 120, true,  -0.3,  0,  Full,         0,    true},
        ClassifyCase{"EmptyCollectorPositiveCap", 115, 110, 120, true, 0.3, 0,  Partial,      0,    true}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST(OperatingState, WorkedExampleIntermediateValues) {
    const OperatingOutcome out = run(kExample, 60, 70);
    ASSERT_TRUE(out.ok);
    // Rounded to four places before use: 0.00967… would be the unrounded expansion.
    EXPECT_EQ(out.state.MeanExpansion, c(0.0097));
    EXPECT_EQ(out.state.CollectorExpansion, c(0.0143));
    EXPECT_EQ(out.state.GasCushionProduct, c(112.5));
    EXPECT_EQ(out.state.VapourVolume, Currency{});
    EXPECT_EQ(out.state.OperatingVolumeChange, c(0.1867));
    EXPECT_EQ(out.state.CollectorTemperature, c(70));
    EXPECT_EQ(out.state.MeanTemperature, 60);
}

TEST(OperatingState, StartUpPanelDisplay) {
    const OperatingOutcome out = run(kStartUp, 60);
    ASSERT_TRUE(out.ok);
    const PanelDisplay& d = out.display;
    EXPECT_EQ(d.collectorTemperatureText, "70°C");
    EXPECT_EQ(d.gaugePressureText, "4,11");
    EXPECT_EQ(d.boilingPointText, "175,36°C");
    EXPECT_EQ(d.vapourLabelsVisible, std::optional<bool>(false));
    EXPECT_EQ(d.vapourShareText, "0 %");
    EXPECT_TRUE(d.closedValveVisible);
    EXPECT_NEAR(d.gasBar.height, 1194.12, 0.005);
    EXPECT_NEAR(d.gasBar.top, 1060.88, 0.005);
    EXPECT_EQ(d.needle.x1, 660.0f);
    EXPECT_EQ(d.needle.y1, 660.0f);
    EXPECT_NEAR(d.needle.x2, 1072.79, 0.005);
    EXPECT_NEAR(d.needle.y2, 311.86, 0.005);
}

TEST(OperatingState, RepeatedRunsGiveTheSameState) {
    MainState s = stateFor(kStartUp, 60);
    const OperatingOutcome first = recompute(s, 70, "4,71", kSep);
    OperatingOutcome again = first;
    for (int i = 0; i < 3; ++i) again = recompute(again.state, 70, "4,71", kSep);
    EXPECT_EQ(again.state.SystemPressureAbs, first.state.SystemPressureAbs);
    EXPECT_EQ(again.state.GasVolume, first.state.GasVolume);
    EXPECT_EQ(again.state.BoilingPoint, first.state.BoilingPoint);
    EXPECT_EQ(again.state.OperatingVolume, first.state.OperatingVolume);
    EXPECT_EQ(again.display.gaugePressureText, first.display.gaugePressureText);
}

TEST(OperatingState, CollectorSliderMovesAloneAfterMeanSlider) {
    MainState s = stateFor(kExample, 0);
    const MeanSliderStep step = meanSlider(s, 60);
    const OperatingOutcome coupled = recompute(s, step.collectorTemperature, "2", kSep);
    const OperatingOutcome moved = recompute(coupled.state, 90, "2", kSep);
    EXPECT_EQ(moved.state.MeanTemperature, 60);
    EXPECT_EQ(moved.state.CollectorTemperature, c(90));
    EXPECT_EQ(moved.display.collectorTemperatureText, "90°C");
    EXPECT_EQ(moved.state.SystemPressureAbs, run(kExample, 60, 90).state.SystemPressureAbs);
}

TEST(OperatingState, NoFluidChosenCompletesWithoutCorrection) {
    Circuit none = kExample;
    none.fluid = Fluid{0, 0, 0, 0};
    const OperatingOutcome out = run(none, 60);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.state.MeanExpansion, Currency{});
    EXPECT_EQ(out.state.CollectorExpansion, Currency{});
    // Nothing expands, so the cushion stays at its fill state: p = pf.
    EXPECT_EQ(out.state.SystemPressureAbs, c(5));
    // No density, so no height correction: the boiling point at the vessel's pressure.
    EXPECT_EQ(out.state.BoilingPoint, c(boilingPoint(5, 0)));
}

TEST(OperatingState, HotterCircuitStaysAtMaximumPressure) {
    for (int t1 : {150, 155, 160}) {
        const OperatingOutcome out = run(kExampleSmallVessel, t1, 200);
        ASSERT_TRUE(out.ok);
        EXPECT_EQ(out.state.SystemPressureAbs, c(7)) << t1;
        EXPECT_EQ(out.display.gaugePressureText, "6") << t1;
        EXPECT_FALSE(out.display.closedValveVisible) << t1;
    }
}

struct MeanSliderCase {
    std::string name;
    int position, collector;
    std::string meanTemperatureText;
};

class MeanSlider : public ::testing::TestWithParam<MeanSliderCase> {};

TEST_P(MeanSlider, PlacesCollectorSliderTenAbove) {
    const auto& p = GetParam();
    MainState s;
    const MeanSliderStep step = meanSlider(s, p.position);
    EXPECT_EQ(s.MeanTemperature, p.position);
    EXPECT_EQ(s.CollectorTemperature, Currency::fromInt(p.collector));
    EXPECT_EQ(step.collectorTemperature, p.collector);
    EXPECT_EQ(step.meanTemperatureText, p.meanTemperatureText);
}

INSTANTIATE_TEST_SUITE_P(Positions, MeanSlider,
                         ::testing::Values(MeanSliderCase{"Default", 60, 70, "60°C"},
                                           MeanSliderCase{"Top", 160, 170, "160°C"},
                                           MeanSliderCase{"Bottom", -25, -15, "-25°C"},
                                           MeanSliderCase{"Zero", 0, 10, "0°C"}),
                         [](const auto& info) { return info.param.name; });

// The collector-volume box has no check of its own.
struct Text11Case {
    std::string name;
    std::string text;
    bool ok;
    double stored;  // CollectorVolume afterwards; previous value 4.71
};

class CollectorVolumeText : public ::testing::TestWithParam<Text11Case> {};

TEST_P(CollectorVolumeText, StoresNumbersKeepsPreviousOtherwise) {
    const auto& p = GetParam();
    MainState s = stateFor(kStartUp, 60);
    const OperatingOutcome out = recompute(s, 70, p.text, kSep);
    EXPECT_EQ(out.ok, p.ok);
    EXPECT_EQ(out.state.CollectorVolume, c(p.stored));
    EXPECT_EQ(out.display.collectorTemperatureText, "70°C");
    if (!p.ok) {
        EXPECT_EQ(out.message, kOutOfRangeMessage);
        EXPECT_EQ(out.state.SystemPressureAbs, s.SystemPressureAbs);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CollectorVolumeText,
    ::testing::Values(Text11Case{"DecimalComma", "3,5", true, 3.5},
                      Text11Case{"DecimalPoint", "3.5", true, 3.5},
                      Text11Case{"Zero", "0", true, 0}, Text11Case{"Letters", "abc", true, 4.71},
                      Text11Case{"Empty", "", true, 4.71}, Text11Case{"LoneMinus", "-", true, 4.71},
                      Text11Case{"NegativeDrawnNotStored", "-2", true, 4.71},
                      Text11Case{"BeyondRange", "99999999999999999999", false, 4.71}),
    [](const auto& info) { return info.param.name; });

// Inputs far outside what the checks admit: a defined state or an error outcome, never a crash.
struct ExtremeCase {
    std::string name;
    Circuit circuit;
    int t1, t2;
    bool ok;
};

class ExtremeInputs : public ::testing::TestWithParam<ExtremeCase> {};

TEST_P(ExtremeInputs, GiveDefinedOutcome) {
    const auto& p = GetParam();
    const OperatingOutcome out = run(p.circuit, p.t1, p.t2);
    ASSERT_EQ(out.ok, p.ok) << out.message;
    if (out.ok) {
        EXPECT_GE(out.vapourFraction, 0);
        EXPECT_LE(out.vapourFraction, 1);
        EXPECT_TRUE(std::isfinite(out.display.gasBar.height));
        EXPECT_TRUE(std::isfinite(out.display.needle.x2));
    } else {
        EXPECT_EQ(out.message, kOutOfRangeMessage);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ExtremeInputs,
    ::testing::Values(ExtremeCase{"EmptyCollectorWithValveLimit",
                                  {.volume = 40, .vessel = 8, .collectorVolume = 0},
                                  160,
                                  200,
                                  true},
                      ExtremeCase{
                          "VesselAboveCollectorsByKilometres", {.height = -1e6}, 60, 200, true},
                      ExtremeCase{"CollectorsFarAboveVessel", {.height = 1e9}, 60, 200, true},
                      ExtremeCase{"CircuitBeyondRange", {.volume = 9.2e14}, 60, 70, false},
                      ExtremeCase{"HugeCollectorVolume", {.collectorVolume = 9e14}, 60, 200, false},
                      ExtremeCase{"NoVessel", {.vessel = 0}, 60, 70, false},
                      ExtremeCase{"ZeroFillPressure", {.fill = 0}, 60, 70, false},
                      ExtremeCase{"ZeroPrePressure", {.pre = 0}, 60, 70, false}),
    [](const auto& info) { return info.param.name; });

// Empty vessel (fluid contracted below its fill state) with the collectors high above it: the
// collector-side pressure would be far below vacuum.
class EmptyVesselHighCollectors : public ::testing::TestWithParam<double> {};

TEST_P(EmptyVesselHighCollectors, BoilingPointAtVacuum) {
    const Circuit k{.fluid = kGlycol40, .pre = 4.99, .height = GetParam(), .collectorVolume = 4.71};
    const OperatingOutcome out = run(k, -25);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.state.SystemPressureAbs, c(1));
    EXPECT_EQ(out.state.GasVolume, c(25));
    EXPECT_EQ(out.display.gaugePressureText, "0");
    EXPECT_EQ(out.state.BoilingPoint, c(-27.7659));
    EXPECT_EQ(out.display.boilingPointText, "-27,77°C");
    EXPECT_NEAR(out.display.gasBar.height, 1356, 0.005);
}

INSTANTIATE_TEST_SUITE_P(Heights, EmptyVesselHighCollectors, ::testing::Values(20.0, 28.0, 40.0),
                         [](const auto& info) {
                             return std::to_string(static_cast<int>(info.param)) + "Metres";
                         });

// Collectors so far above the vessel that even the all-vapour case is below vacuum there: the
// boiling point is below 0 °C, where a temperature ratio means nothing; the whole content counts
// as vapour once instead of a negative or vanishing volume.
class BoilingBelowZero : public ::testing::TestWithParam<int> {};

TEST_P(BoilingBelowZero, VapourIsTheCollectorContent) {
    const Circuit k{.fluid = kGlycol40, .pre = 4.99, .height = 100, .collectorVolume = 4.71};
    const OperatingOutcome out = run(k, -25, GetParam());
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.boiling, BoilingState::Full);
    EXPECT_EQ(out.state.VapourVolume, c(4.71));
}

INSTANTIATE_TEST_SUITE_P(CollectorTemperatures, BoilingBelowZero, ::testing::Values(-15, 0, 50),
                         [](const auto& info) {
                             return (info.param < 0 ? "Minus" : "") +
                                    std::to_string(std::abs(info.param)) + "Degrees";
                         });

}  // namespace
}  // namespace expans
