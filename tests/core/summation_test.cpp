#include "summation.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake_volume_window.h"
#include "numtext.h"

namespace expans {
namespace {

using testing::FakeVolumeWindow;
using B = VolumeBox;
using L = VolumeList;

constexpr const char* kNaN = "Adjon meg számot!";
constexpr const char* kCount = "A kollektorszám pozitív kell legyen!";
constexpr const char* kCollectorVolume = "A kollektortérfogat pozitív kell legyen!";
constexpr const char* kPipeVolume = "A csőtérfogat pozitív kell legyen!";
constexpr const char* kExchanger = "A hőcserélő térfogat pozitív kell legyen!";
constexpr const char* kFittings = "Az egyéb szerelvények térfogata pozitív kell legyen!";
constexpr const char* kLength = "A csőhossz pozitív kell legyen!";

// Volumes compare exactly at four decimals (ticks of 0.0001 liter).
std::int64_t ticks(double liters) {
    return cy(liters).ticks();
}

TEST(VolumeStartUp, GivesTheDefaultCircuitWithoutMessages) {
    FakeVolumeWindow window;
    window.load();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window.lastResult);
    EXPECT_EQ(window.labels[VolumeLabel::Label9], "4,71");
    EXPECT_EQ(window.labels[VolumeLabel::Label10], "4,02");
    EXPECT_EQ(window.labels[VolumeLabel::Label13], "8,5");
    EXPECT_EQ(window.labels[VolumeLabel::Label16], "1");
    EXPECT_EQ(window.labels[VolumeLabel::Label14], "18,3");
    EXPECT_EQ(window.state.CircuitTotal.ticks(), ticks(18.23));
    EXPECT_EQ(window.state.CircuitVolumeTenths, 183);
    // The box's three-decimal figure counts, not the stored 0.2011.
    EXPECT_EQ(window.state.PipeLitresPerMetre1.ticks(), ticks(0.201));
    EXPECT_EQ(window.text(B::Text15), "0,201");
    EXPECT_EQ(window.text(B::Text8), "8,5");
    EXPECT_FALSE(window.isEnabled(B::Text14));
    EXPECT_FALSE(window.isEnabled(B::Text4));
    EXPECT_FALSE(window.isEnabled(B::Text6));
    EXPECT_TRUE(window.isEnabled(B::Text2));
    EXPECT_TRUE(window.isEnabled(B::Text3));

    const HandBack back = handBack(window.state, ',');
    EXPECT_EQ(back.systemVolumeText, "18,3");
    EXPECT_EQ(back.collectorVolumeText, "4,71");
}

struct Scenario {
    const char* name;
    std::function<void(FakeVolumeWindow&)> act;
    std::vector<std::string> messages;  // shown after start-up, in order
    std::map<VolumeBox, std::string> boxes;
    std::string label14;
    std::optional<double> collectorTotal;
    bool result = true;
    std::map<VolumeList, int> lists{};
    std::map<VolumeBox, bool> enabled{};
};

class VolumeScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(VolumeScenario, ShowsMessagesAndTotals) {
    const Scenario& s = GetParam();
    FakeVolumeWindow window;
    window.load();
    window.messages.clear();
    s.act(window);
    EXPECT_EQ(window.messages, s.messages);
    for (const auto& [box, text] : s.boxes) EXPECT_EQ(window.text(box), text);
    EXPECT_EQ(window.labels[VolumeLabel::Label14], s.label14);
    if (s.collectorTotal) {
        EXPECT_EQ(window.state.CollectorTotal.ticks(), ticks(*s.collectorTotal));
    }
    EXPECT_EQ(window.lastResult, s.result);
    for (const auto& [list, index] : s.lists) EXPECT_EQ(window.listIndex(list), index);
    for (const auto& [box, on] : s.enabled) EXPECT_EQ(window.isEnabled(box), on);
}

INSTANTIATE_TEST_SUITE_P(Summation, VolumeScenario,
                         ::testing::Values(Scenario{"ZeroCollectorsInRowOneResetToOne",
                                                    [](auto& w) { w.type(B::Text2, "0"); },
                                                    {kCount},
                                                    {{B::Text2, "1"}},
                                                    "15,2",
                                                    1.57},
                                           Scenario{"ZeroCollectorsInRowTwoAccepted",
                                                    [](auto& w) {
                                                        w.choose(L::Combo5, 1);
                                                        w.type(B::Text14, "0");
                                                    },
                                                    {},
                                                    {{B::Text13, "1,57"}, {B::Text14, "0"}},
                                                    "18,3",
                                                    4.71},
                                           Scenario{"RowTwoCollectorsCount",
                                                    [](auto& w) {
                                                        w.choose(L::Combo5, 2);
                                                        w.type(B::Text14, "2");
                                                    },
                                                    {},
                                                    {{B::Text13, "1,7"}},
                                                    "21,7",
                                                    8.11},
                                           Scenario{"LetterInPipeLengthResetToZero",
                                                    [](auto& w) { w.type(B::Text3, "a"); },
                                                    {kNaN},
                                                    {{B::Text3, "0"}},
                                                    "14,3",
                                                    4.71},
                                           Scenario{"EmptiedPipeLengthCountsAsNotANumber",
                                                    [](auto& w) { w.type(B::Text3, ""); },
                                                    {kNaN},
                                                    {{B::Text3, "0"}},
                                                    "14,3",
                                                    4.71},
                                           Scenario{"NegativeFittingsResetToZero",
                                                    [](auto& w) { w.type(B::Text12, "-5"); },
                                                    {kFittings},
                                                    {{B::Text12, "0"}},
                                                    "17,3",
                                                    4.71},
                                           Scenario{"NegativeLengthResetToZero",
                                                    [](auto& w) { w.type(B::Text3, "-1"); },
                                                    {kLength},
                                                    {{B::Text3, "0"}},
                                                    "14,3",
                                                    4.71},
                                           Scenario{"OwnCollectorLetterGivesBothMessagesAndZero",
                                                    [](auto& w) {
                                                        w.choose(L::Combo4, 3);
                                                        w.type(B::Text1, "x");
                                                    },
                                                    {kNaN, kCollectorVolume},
                                                    {{B::Text1, "0"}},
                                                    "13,6",
                                                    0.0},
                                           Scenario{"OwnCollectorPresetIsOneAndAHalf",
                                                    [](auto& w) { w.choose(L::Combo4, 3); },
                                                    {},
                                                    {{B::Text1, "1,5"}},
                                                    "18,1",
                                                    4.5},
                                           Scenario{"OwnCollectorRowTwoLetterResetToOne",
                                                    [](auto& w) {
                                                        w.choose(L::Combo5, 4);
                                                        w.type(B::Text13, "x");
                                                    },
                                                    {kNaN},
                                                    {{B::Text13, "1"}, {B::Text14, "0"}},
                                                    "18,3",
                                                    4.71},
                                           Scenario{"OwnPipeSizeComplainsOnEveryEdit",
                                                    [](auto& w) {
                                                        w.choose(L::Combo6, 6);
                                                        w.type(B::Text12, "2");
                                                        w.type(B::Text2, "4");
                                                    },
                                                    {kPipeVolume, kPipeVolume, kPipeVolume},
                                                    {{B::Text15, "0"}},
                                                    "16,9",
                                                    6.28},
                                           Scenario{"OwnPipeSizeTypedFigureStopsTheComplaint",
                                                    [](auto& w) {
                                                        w.choose(L::Combo6, 6);
                                                        w.type(B::Text15, "0,5");
                                                    },
                                                    {kPipeVolume},
                                                    {{B::Text15, "0,5"}},
                                                    "24,3",
                                                    4.71},
                                           Scenario{"OwnPipeSizeInRowTwoPresetsZeroSilently",
                                                    [](auto& w) { w.choose(L::Combo7, 7); },
                                                    {},
                                                    {{B::Text16, "0"}, {B::Text4, "0"}},
                                                    "18,3",
                                                    4.71},
                                           Scenario{"PlateExchangerZeroKeepsComplaining",
                                                    [](auto& w) {
                                                        w.choose(L::Combo2, 10);
                                                        w.type(B::Text9, "0");
                                                        w.type(B::Text12, "2");
                                                    },
                                                    {kExchanger, kExchanger},
                                                    {{B::Text9, "0"}},
                                                    "19,3",
                                                    4.71},
                                           Scenario{"FractionalCollectorCountAccepted",
                                                    [](auto& w) { w.type(B::Text2, "2,5"); },
                                                    {},
                                                    {},
                                                    "17,5",
                                                    3.925},
                                           Scenario{"PipeRowSwitchedOnAndOffAgain",
                                                    [](auto& w) {
                                                        w.choose(L::Combo7, 1);
                                                        w.type(B::Text4, "10");
                                                        w.choose(L::Combo7, 0);
                                                    },
                                                    {},
                                                    {{B::Text16, "0"}, {B::Text4, "0"}},
                                                    "18,3",
                                                    4.71},
                                           Scenario{"HalfTenthRoundsToEvenUp",
                                                    [](auto& w) { w.type(B::Text12, "1,02"); },
                                                    {},
                                                    {},
                                                    "18,4",
                                                    4.71},
                                           Scenario{"HalfTenthRoundsToEvenDown",
                                                    [](auto& w) { w.type(B::Text12, "1,12"); },
                                                    {},
                                                    {},
                                                    "18,4",
                                                    4.71},
                                           Scenario{"AboveHalfTenthRoundsUp",
                                                    [](auto& w) { w.type(B::Text12, "1,04"); },
                                                    {},
                                                    {},
                                                    "18,4",
                                                    4.71},
                                           Scenario{"CircuitAboveSixteenBitCounter",
                                                    [](auto& w) { w.type(B::Text12, "4000"); },
                                                    {},
                                                    {},
                                                    "4017,3",
                                                    4.71},
                                           Scenario{"CircuitOfMillionsKeepsItsTenth",
                                                    [](auto& w) { w.type(B::Text12, "20000000"); },
                                                    {},
                                                    {},
                                                    "20000017,3",
                                                    4.71},
                                           Scenario{"TypedFigureBeyondCurrencyRangeIsReset",
                                                    [](auto& w) {
                                                        w.type(B::Text12, "99999999999999999999");
                                                    },
                                                    {kOutOfRangeMessage},
                                                    {{B::Text12, "0"}},
                                                    "17,3",
                                                    4.71},
                                           Scenario{"TotalBeyondTenthsCounterGoesBack",
                                                    [](auto& w) { w.type(B::Text12, "300000000"); },
                                                    {kOutOfRangeMessage},
                                                    {{B::Text12, "1"}},
                                                    "18,3",
                                                    4.71},
                                           Scenario{"ProductBeyondCurrencyRangeGoesBack",
                                                    [](auto& w) {
                                                        w.choose(L::Combo4, 3);
                                                        w.type(B::Text1, "10000000000");
                                                        w.type(B::Text2, "10000000000");
                                                    },
                                                    {kOutOfRangeMessage, kOutOfRangeMessage},
                                                    {{B::Text1, "1,5"}, {B::Text2, "3"}},
                                                    "18,1",
                                                    4.5},
                                           Scenario{"PipeSizeBeyondTheCounterGoesBack",
                                                    [](auto& w) {
                                                        w.type(B::Text3, "1000000000");
                                                        w.choose(L::Combo6, 2);
                                                    },
                                                    {kOutOfRangeMessage},
                                                    {{B::Text15, "0,201"}},
                                                    "201000014,3",
                                                    4.71},
                                           Scenario{"TypedListStillNeedsANumberInTheBox",
                                                    [](auto& w) {
                                                        w.choose(L::Combo6, 6);
                                                        w.type(B::Text15, "0,3");
                                                        w.typeIntoList(L::Combo6);
                                                        w.type(B::Text15, "abc");
                                                    },
                                                    {kPipeVolume, kNaN},
                                                    {{B::Text15, "0"}},
                                                    "14,3",
                                                    4.71},
                                           Scenario{"TypedListLeavesClosedRowUnchecked",
                                                    [](auto& w) {
                                                        w.typeIntoList(L::Combo2);
                                                        w.type(B::Text12, "2");
                                                    },
                                                    {},
                                                    {{B::Text9, "0"}},
                                                    "19,3",
                                                    4.71}),
                         [](const auto& info) { return std::string(info.param.name); });

// A figure whose total cannot be counted: the lists and boxes go back to what the last complete
// run counted, with one message, and the window settles there; a figure that counts as 0 is not
// positive.
INSTANTIATE_TEST_SUITE_P(
    Restore, VolumeScenario,
    ::testing::Values(Scenario{"CountThatWouldCountAsZeroIsNotPositive",
                               [](auto& w) {
                                   w.choose(L::Combo4, 3);
                                   w.type(B::Text2, "0,00004");
                                   w.type(B::Text1, "300000000");
                                   w.type(B::Text2, "2");
                               },
                               {kCount, kOutOfRangeMessage},
                               {{B::Text1, "1,5"}, {B::Text2, "2"}},
                               "16,6",
                               3.0},
                      Scenario{"OwnFigureThatWouldCountAsZeroIsNotPositive",
                               [](auto& w) {
                                   w.choose(L::Combo6, 6);
                                   w.type(B::Text15, "0,00005");
                               },
                               {kPipeVolume, kPipeVolume, kPipeVolume},
                               {{B::Text15, "0"}},
                               "14,3",
                               4.71},
                      Scenario{"HugePipeFigureWithSecondCollectorRowSettles",
                               [](auto& w) {
                                   w.choose(L::Combo5, 4);
                                   w.type(B::Text13, "2");
                                   w.type(B::Text14, "1");
                                   w.choose(L::Combo6, 6);
                                   w.type(B::Text15, "10000000000");
                               },
                               {kPipeVolume, kOutOfRangeMessage},
                               {{B::Text13, "2"}, {B::Text14, "1"}, {B::Text15, "0"}},
                               "16,3",
                               6.71,
                               true,
                               {{L::Combo5, 4}, {L::Combo6, 6}}},
                      Scenario{"HugeCountWhoseResetCannotBeCountedSaysItOnce",
                               [](auto& w) {
                                   w.choose(L::Combo4, 3);
                                   w.type(B::Text2, "0,5");
                                   w.type(B::Text1, "300000000");
                                   w.type(B::Text2, "99999999999999999999");
                               },
                               {kOutOfRangeMessage},
                               {{B::Text1, "300000000"}, {B::Text2, "0,5"}},
                               "150000013,6",
                               150000000.0},
                      Scenario{"RestoreAddsNoMessageForAComplainingBox",
                               [](auto& w) {
                                   w.choose(L::Combo6, 6);
                                   w.type(B::Text12, "300000000");
                               },
                               {kPipeVolume, kPipeVolume, kOutOfRangeMessage},
                               {{B::Text12, "1"}, {B::Text15, "0"}},
                               "14,3",
                               4.71},
                      Scenario{"RefusedPipeSizeTakesItsListBack",
                               [](auto& w) {
                                   w.type(B::Text3, "1000000000");
                                   w.choose(L::Combo6, 2);
                               },
                               {kOutOfRangeMessage},
                               {{B::Text15, "0,201"}},
                               "201000014,3",
                               4.71,
                               true,
                               {{L::Combo6, 1}},
                               {{B::Text15, false}}},
                      Scenario{"RefusedOwnEntryLeavesItsBoxClosed",
                               [](auto& w) {
                                   w.choose(L::Combo4, 2);
                                   w.type(B::Text2, "150000000");
                                   w.choose(L::Combo4, 3);
                               },
                               {kOutOfRangeMessage},
                               {{B::Text1, "1,3"}, {B::Text2, "150000000"}},
                               "195000013,6",
                               195000000.0,
                               true,
                               {{L::Combo4, 2}},
                               {{B::Text1, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VolumeSelection, SameEntryAgainRaisesNoCalculation) {
    FakeVolumeWindow window;
    window.load();
    const int before = window.changes;
    window.choose(L::Combo1, 1);
    window.choose(L::Combo6, 1);
    EXPECT_EQ(window.changes, before);
}

}  // namespace
}  // namespace expans
