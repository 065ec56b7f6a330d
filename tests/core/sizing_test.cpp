#include "sizing.h"

#include <gtest/gtest.h>

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
    double hot;
    double expansion;
    double minVessel;
    double reserve;
    SizingLabels labels;
    std::vector<std::string> messages;
    std::optional<std::string> text11Restore;
    double collector;
};

class SizingExample : public ::testing::TestWithParam<SizingRow> {};

TEST_P(SizingExample, MatchesToTheDigit) {
    const SizingRow& row = GetParam();
    MainState state = startedState();
    row.prepare(state);
    const SizingOutcome out = size(state, row.evaporation, row.text11, "7", ',');
    ASSERT_TRUE(out.labels.has_value());
    EXPECT_EQ(out.state.HotVolume.ticks(), ticks(row.hot));
    EXPECT_EQ(out.state.ExpansionVolume.ticks(), ticks(row.expansion));
    EXPECT_EQ(out.state.MinVesselVolume.ticks(), ticks(row.minVessel));
    EXPECT_EQ(out.state.VesselWaterReserve.ticks(), ticks(row.reserve));
    EXPECT_EQ(out.state.CollectorVolume.ticks(), ticks(row.collector));
    EXPECT_EQ(out.labels->label29, row.labels.label29);
    EXPECT_EQ(out.labels->label28, row.labels.label28);
    EXPECT_EQ(out.labels->label27, row.labels.label27);
    EXPECT_EQ(out.labels->label16, row.labels.label16);
    EXPECT_EQ(out.messages, row.messages);
    EXPECT_EQ(out.text11, row.text11Restore);
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

INSTANTIATE_TEST_SUITE_P(Sizing, SizingExample,
                         ::testing::Values(SizingRow{"CollectorVolumeTwo",
                                                     unchanged,
                                                     true,
                                                     "2",
                                                     22.0586,
                                                     3.7586,
                                                     14.6168,
                                                     2.5,
                                                     {"3,75", "22,05", "14,61", "8,32"},
                                                     {},
                                                     std::nullopt,
                                                     2},
                                           SizingRow{"RightAfterStartUp",
                                                     unchanged,
                                                     true,
                                                     "4,71",
                                                     24.7686,
                                                     6.4686,
                                                     25.1557,
                                                     2.5,
                                                     {"6,46", "24,76", "25,15", "8,32"},
                                                     {},
                                                     std::nullopt,
                                                     4.71},
                                           SizingRow{"EvaporationOff",
                                                     unchanged,
                                                     false,
                                                     "4,71",
                                                     20.0586,
                                                     1.7586,
                                                     6.839,
                                                     2.5,
                                                     {"1,75", "20,05", "6,83", "8,32"},
                                                     {},
                                                     std::nullopt,
                                                     0},
                                           SizingRow{"NegativeCollectorVolumeRestored",
                                                     unchanged,
                                                     true,
                                                     "-1",
                                                     24.7686,
                                                     6.4686,
                                                     25.1557,
                                                     2.5,
                                                     {"6,46", "24,76", "25,15", "8,32"},
                                                     {kNegativeCollectorVolumeMessage},
                                                     "4,71",
                                                     4.71},
                                           SizingRow{"LettersInCollectorVolumeRestored",
                                                     unchanged,
                                                     true,
                                                     "abc",
                                                     24.7686,
                                                     6.4686,
                                                     25.1557,
                                                     2.5,
                                                     {"6,46", "24,76", "25,15", "8,32"},
                                                     {kNotANumberMessage},
                                                     "4,71",
                                                     4.71},
                                           SizingRow{"HugeCollectorVolumeRestored",
                                                     unchanged,
                                                     true,
                                                     "99999999999999999999",
                                                     24.7686,
                                                     6.4686,
                                                     25.1557,
                                                     2.5,
                                                     {"6,46", "24,76", "25,15", "8,32"},
                                                     {kOutOfRangeMessage},
                                                     "4,71",
                                                     4.71},
                                           SizingRow{"ZeroCollectorVolumeLikePlainCase",
                                                     unchanged,
                                                     true,
                                                     "0",
                                                     20.0586,
                                                     1.7586,
                                                     6.839,
                                                     2.5,
                                                     {"1,75", "20,05", "6,83", "8,32"},
                                                     {},
                                                     std::nullopt,
                                                     0},
                                           SizingRow{"WaterShrinkingSlightly",
                                                     water10to12,
                                                     false,
                                                     "",
                                                     18.2993,
                                                     -0.0007,
                                                     -0.0027,
                                                     2.5,
                                                     {"-0,01", "18,29", "-0,01", "0"},
                                                     {},
                                                     std::nullopt,
                                                     0},
                                           SizingRow{"EqualTemperaturesWithEvaporation",
                                                     equalTemperatures,
                                                     true,
                                                     "4,71",
                                                     23.01,
                                                     4.71,
                                                     18.3167,
                                                     2.5,
                                                     {"4,71", "23,01", "18,31", "8,32"},
                                                     {},
                                                     std::nullopt,
                                                     4.71},
                                           SizingRow{"EqualTemperaturesPlain",
                                                     equalTemperatures,
                                                     false,
                                                     "",
                                                     18.3,
                                                     0,
                                                     0,
                                                     2.5,
                                                     {"0", "18,3", "0", "8,32"},
                                                     {},
                                                     std::nullopt,
                                                     0},
                                           SizingRow{"LargestVesselRaisesReserveOnly",
                                                     largestVessel,
                                                     true,
                                                     "4,71",
                                                     24.7686,
                                                     6.4686,
                                                     25.1557,
                                                     100,
                                                     {"6,46", "24,76", "25,15", "47,32"},
                                                     {},
                                                     std::nullopt,
                                                     4.71},
                                           SizingRow{"Vessel140ComputesWith140",
                                                     vessel140,
                                                     true,
                                                     "4,71",
                                                     24.7686,
                                                     6.4686,
                                                     25.1557,
                                                     14,
                                                     {"6,46", "24,76", "25,15", "12,92"},
                                                     {},
                                                     std::nullopt,
                                                     4.71}),
                         [](const auto& info) { return std::string(info.param.name); });

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
