#include "validation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "numtext.h"
#include "tables.h"

namespace expans {
namespace {

using Checker = FieldCheck (*)(const MainState&, std::string_view, char);

// Start-up values with the height the first sizing run reads.
MainState started() {
    MainState state = startState();
    state.StaticHeight = Currency::fromInt(7);
    return state;
}

struct CheckRow {
    const char* name;
    Checker check;
    const char* text;
    std::vector<std::string> messages;
    std::optional<std::string> restore;
    Currency MainState::*stored;
    double expected;  // the stored value afterwards, exact to four decimals
};

class FieldRule : public ::testing::TestWithParam<CheckRow> {};

TEST_P(FieldRule, ReportsRestoresAndStores) {
    const CheckRow& row = GetParam();
    const FieldCheck out = row.check(started(), row.text, ',');
    EXPECT_EQ(out.messages, row.messages);
    EXPECT_EQ(out.restoreText, row.restore);
    EXPECT_EQ((out.state.*row.stored).ticks(), cy(row.expected).ticks());
}

constexpr const char* kNaN = "Adjon meg számot!";
constexpr const char* kPrePositive = "A levegő oldali előnyomás pozitív kell legyen!";
constexpr const char* kPreBelowFill =
    "A levegő oldali előnyomás kisebb kell hogy legyen, mint a feltöltési nyomás!";
constexpr const char* kMaxAbovePre =
    "A maximális rendszernyomás nagyobb kell hogy legyen, mint az előnyomás!";
constexpr const char* kMaxAboveFill =
    "A maximális rendszernyomás nagyobb kell hogy legyen, mint a feltöltési (hideg)nyomás!";
constexpr const char* kMaxSix = "A maximális rendszernyomás kisebb kell hogy legyen, mint 6 bar!";
constexpr const char* kMaxPositive = "A maximális rendszernyomás pozitív kell legyen!";
constexpr const char* kFillAbovePre =
    "A feltöltési nyomás nagyobb kell hogy legyen, mint a levegő oldali előnyomás!";
constexpr const char* kFillBelowMax =
    "A feltöltési nyomás kisebb kell hogy legyen, mint a maximális nyomás!";
constexpr const char* kColdNegative = "A hideg hőmérséklet nagyobb kell legyen mint 0 °C!";
constexpr const char* kColdAboveMax =
    "A hideg hőmérséklet kisebb kell legyen mint a maximális átlagos hőmérséklet";
constexpr const char* kMaxMeanNegative =
    "A maximális átlagos hőmérséklet nagyobb kell legyen mint 0 °C!";
constexpr const char* kMaxMeanBelowCold =
    "A maximális átlagos hőmérséklet magasabb kell legyen mint a hideg hőmérséklet";
constexpr const char* kMaxMean300 =
    "A maximális átlagos hőmérséklet alacsonyabb kell legyen mint 300°C";
constexpr const char* kVolumeNegative = "A rendszertérfogat pozitív kell legyen!";
constexpr const char* kHeight =
    "A megadott szintkülönbség mellett a kollektorok nyomása 1,5 bar alatt van!";
constexpr const char* kHuge = "99999999999999999999";
constexpr const char* kHugeNegative = "-1000000000000000";

const auto kPre = &MainState::PrePressureAbs;
const auto kFill = &MainState::FillPressureAbs;
const auto kMax = &MainState::MaxPressureAbs;
const auto kCold = &MainState::ColdTemperature;
const auto kMaxMean = &MainState::MaxMeanTemperature;
const auto kVolume = &MainState::SystemVolume;
const auto kHeightMax = &MainState::MaxStaticHeight;

INSTANTIATE_TEST_SUITE_P(
    Pressures, FieldRule,
    ::testing::Values(
        CheckRow{"PreZeroAccepted", checkText2, "0", {}, {}, kPre, 1},
        CheckRow{"PreNegative", checkText2, "-0,5", {kPrePositive}, "3,5", kPre, 4.5},
        CheckRow{"PreEqualsFill", checkText2, "4", {kPreBelowFill}, "3,5", kPre, 4.5},
        CheckRow{"PreWord", checkText2, "abc", {kNaN}, "3,5", kPre, 4.5},
        CheckRow{"PreStoredEqualToFill", checkText2, "3,99999", {kPreBelowFill}, "3,5", kPre, 4.5},
        CheckRow{"PreJustBelowFill", checkText2, "3,9999", {}, {}, kPre, 4.9999},
        CheckRow{"PreBeyondRange", checkText2, kHuge, {kPreBelowFill}, "3,5", kPre, 4.5},
        CheckRow{"PreHugeNegative", checkText2, kHugeNegative, {kPrePositive}, "3,5", kPre, 4.5},
        CheckRow{"MaxBeyondRange", checkText3, kHuge, {kMaxSix}, "6", kMax, 7},
        CheckRow{"FillBeyondRange", checkText4, kHuge, {kFillBelowMax}, "4", kFill, 5},
        CheckRow{"MaxSixAccepted", checkText3, "6", {}, {}, kMax, 7},
        CheckRow{"MaxAboveSix", checkText3, "6,5", {kMaxSix}, "6", kMax, 7},
        CheckRow{"MaxNegative", checkText3, "-1", {kMaxPositive}, "6", kMax, 7},
        CheckRow{"MaxEqualsPre", checkText3, "3,5", {kMaxAbovePre}, "6", kMax, 7},
        CheckRow{"MaxStoredEqualToPre", checkText3, "3,50001", {kMaxAbovePre}, "6", kMax, 7},
        CheckRow{"MaxStoredEqualToFill", checkText3, "4,00004", {kMaxAboveFill}, "6", kMax, 7},
        CheckRow{"MaxJustAboveFill", checkText3, "4,0001", {}, {}, kMax, 5.0001},
        CheckRow{"FillWord", checkText4, "abc", {kNaN}, "4", kFill, 5},
        CheckRow{"FillAccepted", checkText4, "5,5", {}, {}, kFill, 6.5},
        CheckRow{"FillEqualsPre", checkText4, "3,5", {kFillAbovePre}, "4", kFill, 5},
        CheckRow{"FillStoredEqualToPre", checkText4, "3,50001", {kFillAbovePre}, "4", kFill, 5},
        CheckRow{"FillStoredEqualToMax", checkText4, "5,99999", {kFillBelowMax}, "4", kFill, 5},
        CheckRow{"FillZeroBelowPre", checkText4, "0", {kFillAbovePre}, "4", kFill, 5}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Temperatures, FieldRule,
    ::testing::Values(
        CheckRow{"ColdEqualsMaxMean", checkText5, "140", {}, {}, kCold, 140},
        CheckRow{"ColdAboveMaxMean", checkText5, "141", {kColdAboveMax}, "20", kCold, 20},
        CheckRow{"ColdZeroAccepted", checkText5, "0", {}, {}, kCold, 0},
        CheckRow{"ColdNegative", checkText5, "-1", {kColdNegative}, "20", kCold, 20},
        CheckRow{"ColdWord", checkText5, "x", {kNaN}, "20", kCold, 20},
        CheckRow{"ColdBeyondRange", checkText5, kHuge, {kColdAboveMax}, "20", kCold, 20},
        CheckRow{"ColdHugeNegative", checkText5, kHugeNegative, {kColdNegative}, "20", kCold, 20},
        CheckRow{"MaxMeanBeyondRange", checkText6, kHuge, {kMaxMean300}, "140", kMaxMean, 140},
        CheckRow{"MaxMean300Accepted", checkText6, "300", {}, {}, kMaxMean, 300},
        CheckRow{"MaxMeanAbove300", checkText6, "300,5", {kMaxMean300}, "140", kMaxMean, 140},
        CheckRow{"MaxMeanBelowCold", checkText6, "19", {kMaxMeanBelowCold}, "140", kMaxMean, 140},
        CheckRow{"MaxMeanNegative", checkText6, "-1", {kMaxMeanNegative}, "140", kMaxMean, 140},
        CheckRow{"MaxMeanEqualsCold", checkText6, "20", {}, {}, kMaxMean, 20}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    VolumeAndHeight, FieldRule,
    ::testing::Values(
        CheckRow{"VolumeEmpty", checkText1, "", {kNaN}, "20", kVolume, 20},
        CheckRow{"VolumeLoneMinus", checkText1, "-", {kNaN}, "20", kVolume, 20},
        CheckRow{"VolumeNegative", checkText1, "-3", {kVolumeNegative}, "20", kVolume, 20},
        CheckRow{"VolumeZeroAccepted", checkText1, "0", {}, {}, kVolume, 0},
        CheckRow{"VolumeWithPointAccepted", checkText1, "18.3", {}, {}, kVolume, 18.3},
        CheckRow{"VolumeLargeAccepted", checkText1, "4017,3", {}, {}, kVolume, 4017.3},
        CheckRow{"VolumeBeyondRangeKeepsLast",
                 checkText1,
                 kHuge,
                 {kOutOfRangeMessage},
                 "18,3",
                 kVolume,
                 18.3},
        CheckRow{"HeightAtLimitAccepted", checkText7, "25", {}, {}, kHeightMax, 25.7747},
        CheckRow{"HeightAboveLimit", checkText7, "26", {kHeight}, "7", kHeightMax, 25.7747},
        CheckRow{"HeightNegativeAccepted", checkText7, "-30", {}, {}, kHeightMax, 25.7747},
        CheckRow{"HeightWordStopsEarly", checkText7, "abc", {kNaN}, "7", kHeightMax, 0},
        CheckRow{"HeightBeyondRange", checkText7, kHuge, {kHeight}, "7", kHeightMax, 25.7747},
        CheckRow{"HeightHugeNegative",
                 checkText7,
                 kHugeNegative,
                 {kOutOfRangeMessage},
                 "7",
                 kHeightMax,
                 25.7747}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever the user types, in whatever order, the stored pressures stay strictly ordered.
TEST(PressureOrder, HoldsForEveryEntryNearTheLimits) {
    const std::vector<std::string> texts = {"3,5",     "3,99999", "4",      "4,00004", "4,00005",
                                            "4,0001",  "4,99995", "5,5",    "5,99994", "5,99995",
                                            "5,99999", "6",       "0",      "0,00001", "2,00004",
                                            "2,00005", "2,99999", "3,4999", "3,50001", "1,99999"};
    const Checker checks[] = {checkText2, checkText3, checkText4};
    MainState state = started();
    for (int round = 0; round < 3; ++round) {
        for (const std::string& text : texts) {
            for (Checker check : checks) {
                state = check(state, text, ',').state;
                ASSERT_LT(state.PrePressureAbs, state.FillPressureAbs) << text;
                ASSERT_LT(state.FillPressureAbs, state.MaxPressureAbs) << text;
                ASSERT_GE(state.PrePressureAbs, Currency::fromInt(1)) << text;
                ASSERT_LE(state.MaxPressureAbs, Currency::fromInt(7)) << text;
            }
        }
    }
}

}  // namespace
}  // namespace expans
