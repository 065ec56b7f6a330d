#pragma once

// A stand-in for the system-volume window: keeps the boxes' texts, the enabled flags and the
// list indexes, records every message, and raises a box's Change (a complete calculate) when a
// text written to it differs from the one it holds, as the real window does.

#include <map>
#include <string>
#include <vector>

#include "catalogue.h"
#include "summation.h"

namespace expans::testing {

class FakeVolumeWindow : public VolumePort {
public:
    FakeVolumeWindow() {
        // Texts the boxes hold before the window's start-up runs.
        m_texts = {
            {VolumeBox::Text1, "1,57"},    {VolumeBox::Text2, "3"},  {VolumeBox::Text3, "20"},
            {VolumeBox::Text4, "0"},       {VolumeBox::Text5, "0"},  {VolumeBox::Text6, "0"},
            {VolumeBox::Text8, "1"},       {VolumeBox::Text9, "0"},  {VolumeBox::Text10, "0"},
            {VolumeBox::Text12, "1"},      {VolumeBox::Text13, "0"}, {VolumeBox::Text14, "0"},
            {VolumeBox::Text15, "0,2011"}, {VolumeBox::Text16, "0"}, {VolumeBox::Text17, "0"},
            {VolumeBox::Text18, "0"}};
        for (const auto& [box, text] : m_texts) m_enabled[box] = true;
        for (int i = 0; i < 9; ++i) m_index[static_cast<VolumeList>(i)] = -1;
    }

    // The window's Form_Load without the main window: each list in turn gets its first entry.
    void load() {
        for (VolumeList list : {VolumeList::Combo4, VolumeList::Combo5, VolumeList::Combo1,
                                VolumeList::Combo2, VolumeList::Combo3, VolumeList::Combo6,
                                VolumeList::Combo7, VolumeList::Combo8, VolumeList::Combo9}) {
            for (VolumeBox box : boxesDisabledAtLoad(list)) setEnabled(box, false);
            choose(list, startIndex(list));
        }
        run();
    }

    // The user picks an entry (or code sets ListIndex): the list's Click runs.
    void choose(VolumeList list, int index) {
        m_index[list] = index;
        select(list, state, *this, ',');
    }
    // The user types into the list's own text field: nothing is selected any more, no Click.
    void typeIntoList(VolumeList list) { m_index[list] = -1; }
    // The user edits a box.
    void type(VolumeBox box, const std::string& text) { setText(box, text); }
    void run() { lastResult = calculate(state, *this, ','); }

    std::string text(VolumeBox box) const override { return m_texts.at(box); }
    void setText(VolumeBox box, const std::string& text) override {
        if (m_texts.at(box) == text) return;
        m_texts[box] = text;
        ++changes;
        run();
    }
    void setEnabled(VolumeBox box, bool enabled) override { m_enabled[box] = enabled; }
    bool isEnabled(VolumeBox box) const override { return m_enabled.at(box); }
    int listIndex(VolumeList list) const override { return m_index.at(list); }
    void restoreListIndex(VolumeList list, int index) override { m_index[list] = index; }
    void showMessage(const std::string& message) override { messages.push_back(message); }
    void setLabel(VolumeLabel label, const std::string& text) override { labels[label] = text; }

    VolumeState state;
    std::vector<std::string> messages;
    std::map<VolumeLabel, std::string> labels;
    bool lastResult = false;
    int changes = 0;

private:
    std::map<VolumeBox, std::string> m_texts;
    std::map<VolumeBox, bool> m_enabled;
    std::map<VolumeList, int> m_index;
};

}  // namespace expans::testing
