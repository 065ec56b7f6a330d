#include "tables.h"

#include <gtest/gtest.h>

#include <string>

namespace expans {
namespace {

struct FluidRow {
    int index;
    const char* name;
    double fraction;
    double a;
    double b;
    double c;
};

class FluidTable : public ::testing::TestWithParam<FluidRow> {};

TEST_P(FluidTable, SelectionSetsFractionAndCoefficients) {
    const FluidRow& row = GetParam();
    ASSERT_EQ(fluidNames().size(), 7u);
    EXPECT_EQ(fluidNames()[static_cast<std::size_t>(row.index)], row.name);
    MainState state = startState();
    ASSERT_TRUE(applyFluid(state, row.index));
    EXPECT_EQ(state.GlycolFraction, cy(row.fraction));
    // The constants are the decimal literals themselves.
    EXPECT_EQ(state.SpecVolumeA, row.a);
    EXPECT_EQ(state.SpecVolumeB, row.b);
    EXPECT_EQ(state.SpecVolumeC, row.c);
}

INSTANTIATE_TEST_SUITE_P(
    Fluids, FluidTable,
    ::testing::Values(
        FluidRow{0, "Víz", 0, 0.001, -1.19155e-07, 4.51198e-09},
        FluidRow{1, "Propilén-glikol 10%", 0.1, 0.000987692, 1.92707e-07, 2.99184e-09},
        FluidRow{4, "Propilén-glikol 40%", 0.4, 0.00095772, 4.27281e-07, 2.33467e-09},
        FluidRow{6, "Propilén-glikol 60%", 0.6, 0.000947461, 5.47687e-07, 1.86766e-09}),
    [](const auto& info) { return "Index" + std::to_string(info.param.index); });

struct VesselRow {
    int index;
    const char* name;
    int volume;
};

class VesselTable : public ::testing::TestWithParam<VesselRow> {};

TEST_P(VesselTable, EntryComputesWithTheVolumeItNames) {
    const VesselRow& row = GetParam();
    ASSERT_EQ(vesselNames().size(), 16u);
    EXPECT_EQ(vesselNames()[static_cast<std::size_t>(row.index)], row.name);
    EXPECT_EQ(vesselVolumeAt(row.index), row.volume);
    MainState state;
    ASSERT_TRUE(applyVessel(state, row.index));
    EXPECT_EQ(state.SelectedVesselVolume, row.volume);
}

INSTANTIATE_TEST_SUITE_P(
    Vessels, VesselTable,
    ::testing::Values(VesselRow{0, "8 liter", 8}, VesselRow{3, "25 liter", 25},
                      VesselRow{7, "110 liter", 110}, VesselRow{8, "140 liter", 140},
                      VesselRow{9, "200 liter", 200}, VesselRow{15, "1000 liter", 1000}),
    [](const auto& info) { return "Index" + std::to_string(info.param.index); });

class OutsideIndex : public ::testing::TestWithParam<int> {};

TEST_P(OutsideIndex, LeavesTheStateAlone) {
    const MainState before = startState();
    MainState state = before;
    EXPECT_FALSE(applyFluid(state, GetParam()));
    EXPECT_FALSE(applyVessel(state, GetParam()));
    EXPECT_FALSE(fluidAt(GetParam()).has_value());
    EXPECT_FALSE(vesselVolumeAt(GetParam()).has_value());
    EXPECT_EQ(state.GlycolFraction, before.GlycolFraction);
    EXPECT_EQ(state.SpecVolumeA, before.SpecVolumeA);
    EXPECT_EQ(state.SelectedVesselVolume, before.SelectedVesselVolume);
}

INSTANTIATE_TEST_SUITE_P(Tables, OutsideIndex, ::testing::Values(-1, 16, 1000),
                         [](const auto& info) {
                             return info.param < 0 ? std::string("NothingSelected")
                                                   : "Index" + std::to_string(info.param);
                         });

TEST(StartState, HoldsTheLoadDefaults) {
    const MainState state = startState();
    EXPECT_EQ(state.SystemVolume, cy(18.3));
    EXPECT_EQ(state.PrePressureAbs, cy(4.5));
    EXPECT_EQ(state.FillPressureAbs, cy(5));
    EXPECT_EQ(state.MaxPressureAbs, cy(7));
    EXPECT_EQ(state.ColdTemperature, cy(20));
    EXPECT_EQ(state.MaxMeanTemperature, cy(140));
    EXPECT_EQ(state.SelectedVesselVolume, 25);
    EXPECT_EQ(state.MaxStaticHeight, Currency{});
    EXPECT_EQ(state.SpecVolumeA, 0.0);
    EXPECT_EQ(vesselNames()[kStartVesselIndex], "25 liter");
    EXPECT_EQ(fluidNames()[kStartFluidIndex], "Propilén-glikol 40%");
}

}  // namespace
}  // namespace expans
