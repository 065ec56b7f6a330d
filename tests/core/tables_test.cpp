#include "tables.h"

#include <gtest/gtest.h>

#include <string>

namespace expans {
namespace {

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

}  // namespace
}  // namespace expans
