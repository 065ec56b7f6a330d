#include "job.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "catalogue.h"

namespace expans {
namespace {

using B = VolumeBox;
using L = VolumeList;

// Every list at the user's own figure: no box is fixed, any figure goes to the window's checks.
Job ownFigures() {
    Job job;
    for (std::size_t i = 0; i < kVolumeListCount; ++i) {
        job.volumeLists[i] = ownFigureIndex(static_cast<VolumeList>(i));
    }
    job.volumeBoxes.fill("1");
    return job;
}

struct RuleRow {
    const char* name;
    L list;
    int index;
    B box;
    const char* text;
    const char* fault;  // a part of the message; nullptr: the job keeps the rules
};

class JobRules : public ::testing::TestWithParam<RuleRow> {};

TEST_P(JobRules, DisabledBoxHoldsItsEntrysFigure) {
    const RuleRow& row = GetParam();
    Job job = ownFigures();
    job.volumeLists[static_cast<std::size_t>(row.list)] = row.index;
    for (const FixedBox& fixed : fixedBoxes(row.list, row.index, ',')) {
        job.volumeBoxes[static_cast<std::size_t>(fixed.box)] = fixed.text;
    }
    job.volumeBoxes[static_cast<std::size_t>(row.box)] = row.text;
    const std::optional<std::string> fault = ruleFault(job);
    if (row.fault == nullptr) {
        EXPECT_FALSE(fault) << *fault;
    } else {
        ASSERT_TRUE(fault);
        EXPECT_NE(fault->find(row.fault), std::string::npos) << *fault;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Job, JobRules,
    ::testing::Values(
        RuleRow{"PipeFigure", L::Combo6, 1, B::Text15, "0,201", nullptr},
        RuleRow{"PipeFigureWithPoint", L::Combo6, 1, B::Text15, " 0.201 ", nullptr},
        RuleRow{"NegativeAtFixedPipe", L::Combo6, 1, B::Text15, "-5",
                "„Rendszerterfogat.Text15” értéke érvénytelen: a(z) „18 x 1” választáshoz "
                "0,201 tartozik."},
        RuleRow{"PipeStoredFigureNotShown", L::Combo6, 1, B::Text15, "0,2011", "Text15"},
        RuleRow{"EmptyAtFixedPipe", L::Combo6, 1, B::Text15, "", "Text15"},
        RuleRow{"WordAtFixedPipe", L::Combo6, 1, B::Text15, "abc", "Text15"},
        RuleRow{"CollectorFigure", L::Combo4, 1, B::Text1, "1,7", nullptr},
        RuleRow{"OtherCollectorFigure", L::Combo4, 1, B::Text1, "1,5", "„Solvendra SV 330”"},
        RuleRow{"ExchangerFigure", L::Combo2, 5, B::Text9, "0,5", nullptr},
        RuleRow{"NoPipeRowLength", L::Combo7, 0, B::Text4, "12", "Rendszerterfogat.Text4"},
        RuleRow{"NoPipeRowFigure", L::Combo7, 0, B::Text16, "0,314", "Rendszerterfogat.Text16"},
        RuleRow{"NoCollectorRowCount", L::Combo5, 0, B::Text14, "2", "„Nincs” választáshoz 0"},
        RuleRow{"NoExchangerZero", L::Combo3, 0, B::Text10, "0,0", nullptr},
        // Boxes their entry leaves open are the window's checks' business.
        RuleRow{"OwnPipeFigureNegative", L::Combo6, 6, B::Text15, "-5", nullptr},
        RuleRow{"LengthBesidePipe", L::Combo6, 1, B::Text3, "-5", nullptr},
        RuleRow{"CountBesideCollector", L::Combo4, 1, B::Text2, "abc", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// What the reader holds a job to is what choosing the entry does in the window: the boxes
// `select` leaves disabled, with the texts it wrote there.
class SelectPort : public VolumePort {
public:
    explicit SelectPort(int index) : m_index(index) {}
    std::string text(VolumeBox box) const override { return texts.at(box); }
    void setText(VolumeBox box, const std::string& text) override { texts[box] = text; }
    void setEnabled(VolumeBox box, bool on) override { enabled[box] = on; }
    bool isEnabled(VolumeBox box) const override { return enabled.at(box); }
    int listIndex(VolumeList) const override { return m_index; }
    void restoreListIndex(VolumeList, int) override {}
    void showMessage(const std::string&) override {}
    void setLabel(VolumeLabel, const std::string&) override {}

    std::map<VolumeBox, std::string> texts;
    std::map<VolumeBox, bool> enabled;

private:
    int m_index;
};

TEST(JobRules, FixedBoxesAreThoseSelectDisables) {
    for (std::size_t i = 0; i < kVolumeListCount; ++i) {
        const auto list = static_cast<VolumeList>(i);
        for (int index = 0; index < volumeListCount(i); ++index) {
            SelectPort port(index);
            VolumeState state;
            select(list, state, port, ',');
            std::map<VolumeBox, std::string> disabledAndWritten;
            for (const auto& [box, on] : port.enabled) {
                if (!on && port.texts.count(box)) disabledAndWritten[box] = port.texts[box];
            }
            std::map<VolumeBox, std::string> fixed;
            for (const FixedBox& f : fixedBoxes(list, index, ',')) fixed[f.box] = f.text;
            EXPECT_EQ(fixed, disabledAndWritten) << listName(list) << " at " << index;
        }
    }
}

}  // namespace
}  // namespace expans
