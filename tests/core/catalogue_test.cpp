#include "catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "numtext.h"

namespace expans {
namespace {

using L = VolumeList;

struct PipeRow {
    const char* entry;
    double innerDiameter;
    double stored;  // liter per metre, four decimals
    const char* shown;
};

class PipeSize : public ::testing::TestWithParam<PipeRow> {};

TEST_P(PipeSize, StoresFourDecimalsAndShowsThreeCut) {
    const PipeRow& row = GetParam();
    const Currency q = pipeLitresPerMetre(row.innerDiameter);
    EXPECT_EQ(q.ticks(), cy(row.stored).ticks());
    EXPECT_EQ(pipeBoxText(q, ','), row.shown);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PipeSize,
                         ::testing::Values(PipeRow{"15x1", 0.013, 0.1327, "0,132"},
                                           PipeRow{"18x1", 0.016, 0.2011, "0,201"},
                                           PipeRow{"22x1", 0.020, 0.3142, "0,314"},
                                           PipeRow{"28x1", 0.026, 0.5309, "0,53"},
                                           PipeRow{"35x1", 0.033, 0.8553, "0,855"},
                                           PipeRow{"42x1", 0.040, 1.2566, "1,256"}),
                         [](const auto& info) { return std::string(info.param.entry); });

// Records what a selection does to the window, without raising Change handlers.
class RecordingPort : public VolumePort {
public:
    explicit RecordingPort(int index) : m_index(index) {}
    std::string text(VolumeBox box) const override {
        const auto found = texts.find(box);
        return found == texts.end() ? std::string() : found->second;
    }
    void setText(VolumeBox box, const std::string& text) override {
        texts[box] = text;
        log.push_back(name(box) + "=" + text);
    }
    void setEnabled(VolumeBox box, bool enabled) override {
        log.push_back(name(box) + (enabled ? " on" : " off"));
    }
    bool isEnabled(VolumeBox) const override { return true; }
    int listIndex(VolumeList) const override { return m_index; }
    void restoreListIndex(VolumeList, int index) override { m_index = index; }
    void showMessage(const std::string& message) override { log.push_back("box " + message); }
    void setLabel(VolumeLabel, const std::string&) override {}

    std::map<VolumeBox, std::string> texts;
    std::vector<std::string> log;

private:
    static std::string name(VolumeBox box) {
        static const char* const names[] = {
            "Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text8",  "Text9",
            "Text10", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18"};
        return names[static_cast<int>(box)];
    }
    int m_index;
};

struct SelectRow {
    const char* name;
    VolumeList list;
    int index;
    std::vector<std::string> log;
    Currency VolumeState::*stored;  // the value the selection sets, checked when not null
    double expected;
};

class Selection : public ::testing::TestWithParam<SelectRow> {};

TEST_P(Selection, WritesAndEnablesInOrder) {
    const SelectRow& row = GetParam();
    VolumeState state;
    state.CollectorUnitVolume1 = cy(9);
    state.CollectorCount2 = cy(9);
    state.PipeLength2 = cy(9);
    RecordingPort port(row.index);
    select(row.list, state, port, ',');
    EXPECT_EQ(port.log, row.log);
    if (row.stored != nullptr) {
        EXPECT_EQ((state.*row.stored).ticks(), cy(row.expected).ticks());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, Selection,
    ::testing::Values(
        SelectRow{"CollectorRowOneCatalogue",
                  L::Combo4,
                  0,
                  {"Text1 off", "Text1=1,57"},
                  &VolumeState::CollectorUnitVolume1,
                  1.57},
        SelectRow{"CollectorRowOneOwn",
                  L::Combo4,
                  3,
                  {"Text1 off", "Text1=1,5", "Text1 on"},
                  &VolumeState::CollectorUnitVolume1,
                  9},
        SelectRow{"CollectorRowOneNothing",
                  L::Combo4,
                  -1,
                  {"Text1 off"},
                  &VolumeState::CollectorUnitVolume1,
                  9},
        SelectRow{"CollectorRowTwoNone",
                  L::Combo5,
                  0,
                  {"Text13 off", "Text14 on", "Text13=0", "Text14=0", "Text14 off"},
                  &VolumeState::CollectorCount2,
                  0},
        SelectRow{"CollectorRowTwoCatalogue",
                  L::Combo5,
                  2,
                  {"Text13 off", "Text14 on", "Text13=1,7"},
                  &VolumeState::CollectorUnitVolume2,
                  1.7},
        SelectRow{"CollectorRowTwoOwn",
                  L::Combo5,
                  4,
                  {"Text13 off", "Text14 on", "Text13=1,5", "Text13 on"},
                  &VolumeState::CollectorCount2,
                  9},
        SelectRow{"CollectorRowTwoNothing", L::Combo5, -1, {"Text13 off", "Text14 on"}, nullptr, 0},
        SelectRow{"ExchangerOneCatalogue",
                  L::Combo1,
                  8,
                  {"Text8 off", "Text8=3"},
                  &VolumeState::ExchangerVolume1,
                  3},
        SelectRow{
            "ExchangerOnePlate", L::Combo1, 9, {"Text8 off", "Text8=1", "Text8 on"}, nullptr, 0},
        SelectRow{"ExchangerTwoNone",
                  L::Combo2,
                  0,
                  {"Text9 off", "Text9=0"},
                  &VolumeState::ExchangerVolume2,
                  0},
        SelectRow{"ExchangerThreeCatalogue",
                  L::Combo3,
                  1,
                  {"Text10 off", "Text10=5,7"},
                  &VolumeState::ExchangerVolume3,
                  5.7},
        SelectRow{"ExchangerThreePlate",
                  L::Combo3,
                  10,
                  {"Text10 off", "Text10=1", "Text10 on"},
                  nullptr,
                  0},
        SelectRow{"PipeRowOneCatalogue",
                  L::Combo6,
                  3,
                  {"Text15 off", "Text15=0,53"},
                  &VolumeState::PipeLitresPerMetre1,
                  0.5309},
        SelectRow{
            "PipeRowOneOwn", L::Combo6, 6, {"Text15 off", "Text15=0", "Text15 on"}, nullptr, 0},
        SelectRow{"PipeRowTwoNone",
                  L::Combo7,
                  0,
                  {"Text16 off", "Text4 on", "Text16=0", "Text4=0", "Text4 off"},
                  &VolumeState::PipeLength2,
                  0},
        SelectRow{"PipeRowThreeCatalogue",
                  L::Combo8,
                  6,
                  {"Text17 off", "Text5 on", "Text17=1,256"},
                  &VolumeState::PipeLitresPerMetre3,
                  1.2566},
        SelectRow{"PipeRowFourOwn",
                  L::Combo9,
                  7,
                  {"Text18 off", "Text6 on", "Text18=0", "Text18 on"},
                  nullptr,
                  0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace expans
