#include "sizing.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "numtext.h"
#include "tables.h"

namespace expans {
namespace {

// The main window after start-up, before the last sizing run: 40 % glycol, collector volume 4.71,
// height 7.
MainState startedState() {
    MainState state = startState();
    applyFluid(state, kStartFluidIndex);
    state.CollectorVolume = cy(4.71);
    state.StaticHeight = Currency::fromInt(7);
    return state;
}

// Stored volumes compare exactly at four decimals.
std::int64_t ticks(double liters) {
    return cy(liters).ticks();
}

struct SizingRow {
    const char* name;
    void (*prepare)(MainState&);
    bool evaporation;
    const char* text11;
    // HotVolume, ExpansionVolume, MinVesselVolume, VesselWaterReserve, CollectorVolume
    std::array<double, 5> stored;
    const char* labels;   // Label29 / Label28 / Label27 / Label16
    const char* message;  // nullptr: no message
    const char* restore;  // Text11 afterwards when rejected; nullptr: untouched
};

class SizingExample : public ::testing::TestWithParam<SizingRow> {};

TEST_P(SizingExample, MatchesToTheDigit) {
    const SizingRow& row = GetParam();
    MainState state = startedState();
    row.prepare(state);
    const SizingOutcome out = size(state, row.evaporation, row.text11, "7", ',');
    ASSERT_TRUE(out.labels.has_value());
    const MainState& s = out.state;
    EXPECT_EQ((std::array{s.HotVolume.ticks(), s.ExpansionVolume.ticks(), s.MinVesselVolume.ticks(),
                          s.VesselWaterReserve.ticks(), s.CollectorVolume.ticks()}),
              (std::array{ticks(row.stored[0]), ticks(row.stored[1]), ticks(row.stored[2]),
                          ticks(row.stored[3]), ticks(row.stored[4])}));
    EXPECT_EQ(out.labels->expansionVolumeText + " / " + out.labels->hotVolumeText + " / " +
                  out.labels->minVesselVolumeText + " / " + out.labels->concentrateText,
              row.labels);
    EXPECT_EQ(out.messages,
              row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
    EXPECT_EQ(out.collectorVolumeRestoreText,
              row.restore ? std::optional<std::string>(row.restore) : std::nullopt);
    EXPECT_EQ(out.evaporationPanel, row.evaporation);
}

void unchanged(MainState&) {}
void water10to12(MainState& s) {
    applyFluid(s, 0);
    s.ColdTemperature = Currency::fromInt(10);
    s.MaxMeanTemperature = Currency::fromInt(12);
}
void equalTemperatures(MainState& s) {
    s.MaxMeanTemperature = s.ColdTemperature;
}
void largestVessel(MainState& s) {
    applyVessel(s, 15);
}
void vessel140(MainState& s) {
    applyVessel(s, 8);
}

constexpr const char* kStartLabels = "6,46 / 24,76 / 25,15 / 8,32";
constexpr std::array<double, 5> kStartStored{24.7686, 6.4686, 25.1557, 2.5, 4.71};
constexpr const char* kPlainLabels = "1,75 / 20,05 / 6,83 / 8,32";
constexpr std::array<double, 5> kPlainStored{20.0586, 1.7586, 6.839, 2.5, 0};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sizing, SizingExample, ::testing::Values(
    SizingRow{"CollectorVolumeTwo", unchanged, true, "2", {22.0586, 3.7586, 14.6168, 2.5, 2},
              "3,75 / 22,05 / 14,61 / 8,32", nullptr, nullptr},
    SizingRow{"RightAfterStartUp", unchanged, true, "4,71", kStartStored, kStartLabels, nullptr, nullptr},
    SizingRow{"EvaporationOff", unchanged, false, "4,71", kPlainStored, kPlainLabels, nullptr, nullptr},
    SizingRow{"NegativeCollectorVolumeRestored", unchanged, true, "-1", kStartStored, kStartLabels,
              kNegativeCollectorVolumeMessage, "4,71"},
    SizingRow{"LettersInCollectorVolumeRestored", unchanged, true, "abc", kStartStored, kStartLabels,
              kNotANumberMessage, "4,71"},
    SizingRow{"HugeCollectorVolumeRestored", unchanged, true, "99999999999999999999", kStartStored,
              kStartLabels, kOutOfRangeMessage, "4,71"},
    SizingRow{"ZeroCollectorVolumeLikePlainCase", unchanged, true, "0", kPlainStored, kPlainLabels,
              nullptr, nullptr},
    SizingRow{"WaterShrinkingSlightly", water10to12, false, "", {18.2993, -0.0007, -0.0027, 2.5, 0},
              "-0,01 / 18,29 / -0,01 / 0", nullptr, nullptr},
    SizingRow{"EqualTemperaturesWithEvaporation", equalTemperatures, true, "4,71",
              {23.01, 4.71, 18.3167, 2.5, 4.71}, "4,71 / 23,01 / 18,31 / 8,32", nullptr, nullptr},
    SizingRow{"EqualTemperaturesPlain", equalTemperatures, false, "", {18.3, 0, 0, 2.5, 0},
              "0 / 18,3 / 0 / 8,32", nullptr, nullptr},
    SizingRow{"LargestVesselRaisesReserveOnly", largestVessel, true, "4,71",
              {24.7686, 6.4686, 25.1557, 100, 4.71}, "6,46 / 24,76 / 25,15 / 47,32", nullptr, nullptr},
    SizingRow{"Vessel140ComputesWith140", vessel140, true, "4,71",
              {24.7686, 6.4686, 25.1557, 14, 4.71}, "6,46 / 24,76 / 25,15 / 12,92", nullptr, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ExpansionCoefficient, MatchesTheWorkedFigures) {
    MainState glycol = startedState();
    EXPECT_NEAR(expansionCoefficient(glycol, glycol.ColdTemperature, glycol.MaxMeanTemperature),
                0.096099384, 5e-10);
    MainState water = startedState();
    water10to12(water);
    EXPECT_NEAR(expansionCoefficient(water, water.ColdTemperature, water.MaxMeanTemperature),
                -3.978288e-05, 5e-12);
}

struct HeightRow {
    const char* name;
    bool evaporation;
    const char* text7;
    double expected;
};

class StaticHeightRead : public ::testing::TestWithParam<HeightRow> {};

TEST_P(StaticHeightRead, KeepsThePreviousValueUnlessANumberIsRead) {
    const HeightRow& row = GetParam();
    const SizingOutcome out = size(startedState(), row.evaporation, "4,71", row.text7, ',');
    EXPECT_EQ(out.state.StaticHeight.ticks(), ticks(row.expected));
    EXPECT_TRUE(out.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Sizing, StaticHeightRead,
                         ::testing::Values(HeightRow{"NumberRead", true, "12,5", 12.5},
                                           HeightRow{"NegativeRead", true, "-3", -3},
                                           HeightRow{"LettersKeepPrevious", true, "abc", 7},
                                           HeightRow{"EmptyKeepsPrevious", true, "", 7},
                                           HeightRow{"HugeKeepsPrevious", true,
                                                     "99999999999999999999", 7},
                                           HeightRow{"PlainCaseIgnoresText", false, "12,5", 7}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FaultRow {
    const char* name;
    void (*prepare)(MainState&);
};

class SizingFault : public ::testing::TestWithParam<FaultRow> {};

TEST_P(SizingFault, ReportsAndKeepsTheStoredValues) {
    MainState state = startedState();
    GetParam().prepare(state);
    state.HotVolume = cy(1.25);  // a previous run's result that must survive
    const SizingOutcome out = size(state, true, "4,71", "9", ',');
    EXPECT_FALSE(out.labels.has_value());
    ASSERT_FALSE(out.messages.empty());
    EXPECT_EQ(out.messages.back(), kOutOfRangeMessage);
    EXPECT_EQ(out.state.HotVolume, state.HotVolume);
    EXPECT_EQ(out.state.StaticHeight, state.StaticHeight);
}

// A collector volume refused as too large, then a circuit too large to count: one box, not two.
TEST(SizingFaultMessage, SaysTooLargeOncePerRun) {
    MainState state = startedState();
    state.SystemVolume = Currency::fromInt(900000000000000);
    const SizingOutcome out = size(state, true, "99999999999999999999", "9", ',');
    EXPECT_EQ(out.messages, std::vector<std::string>{kOutOfRangeMessage});
    EXPECT_EQ(out.collectorVolumeRestoreText, std::optional<std::string>("4,71"));
    EXPECT_FALSE(out.labels.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Sizing, SizingFault,
    ::testing::Values(
        FaultRow{"HotVolumeBeyondRange",
                 [](MainState& s) { s.SystemVolume = Currency::fromInt(900000000000000); }},
        FaultRow{"FillEqualsMaximum", [](MainState& s) { s.FillPressureAbs = s.MaxPressureAbs; }},
        FaultRow{"AllPressuresZero",
                 [](MainState& s) {
                     s.PrePressureAbs = Currency{};
                     s.FillPressureAbs = Currency{};
                     s.MaxPressureAbs = Currency{};
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace expans
