// The system-volume calculation through a stand-in window: list picks, pasted texts and single
// keys into the boxes, chosen by the input. Properties after every action: nesting and messages
// bounded, at most one refused total, the totals valid and matching the boxes, each list at a
// catalogue entry showing that entry's figure, each total the sum of its boxes (128-bit reference),
// the tenths count half-even(10 × total) + 1, and the hand-back texts read back to the totals and
// pass the main window's volume check.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "../tests/core/fake_volume_window.h"
#include "fuzz_check.h"
#include "numtext.h"
#include "summation.h"
#include "tables.h"
#include "validation.h"

using namespace expans;
using B = VolumeBox;

namespace {

__extension__ typedef __int128 Wide;

class Window : public testing::FakeVolumeWindow {
public:
    void setText(VolumeBox box, const std::string& text) override {
        ++depth;
        deepest = std::max(deepest, depth);
        FakeVolumeWindow::setText(box, text);
        --depth;
    }
    int depth = 0;
    int deepest = 0;
};

// Half to even of n / 10^4.
Wide roundTicks(Wide n) {
    Wide quotient = n / 10000;
    Wide rest = n % 10000;
    if (rest < 0) {
        quotient -= 1;
        rest += 10000;
    }
    if (rest > 5000 || (rest == 5000 && quotient % 2 != 0)) quotient += 1;
    return quotient;
}

Wide boxTicks(const Window& w, VolumeBox box, const std::string& where) {
    const CurrencyParse parsed = parseCurrency(w.text(box));
    FUZZ_CHECK(parsed.status == ParseStatus::Ok, where + ": box holds '" + w.text(box) + "'");
    return parsed.value.ticks();
}

void checkTotals(const Window& w, const std::string& where) {
    FUZZ_CHECK(w.lastResult, where + ": totals left invalid");
    const VolumeState& s = w.state;
    auto product = [&](VolumeBox a, VolumeBox b) {
        return roundTicks(boxTicks(w, a, where) * boxTicks(w, b, where));
    };
    const Wide collectors = product(B::Text1, B::Text2) + product(B::Text13, B::Text14);
    const Wide piping = product(B::Text15, B::Text3) + product(B::Text16, B::Text4) +
                        product(B::Text17, B::Text5) + product(B::Text18, B::Text6);
    const Wide exchangers =
        boxTicks(w, B::Text8, where) + boxTicks(w, B::Text9, where) + boxTicks(w, B::Text10, where);
    const Wide total = collectors + piping + exchangers + boxTicks(w, B::Text12, where);
    FUZZ_CHECK(collectors == s.CollectorTotal.ticks(), where + ": collector total");
    FUZZ_CHECK(piping == s.PipingTotal.ticks(), where + ": piping total");
    FUZZ_CHECK(total == s.CircuitTotal.ticks(), where + ": circuit total");
    FUZZ_CHECK(roundTicks(total * 10 + 10000) == s.CircuitVolumeTenths, where + ": tenths");

    FUZZ_CHECK(w.labels.at(VolumeLabel::Label9) == currencyText(s.CollectorTotal, ','), where);
    FUZZ_CHECK(w.labels.at(VolumeLabel::Label14) == systemVolumeText(s, ','), where);

    const HandBack back = handBack(s, ',');
    const CurrencyParse volume = parseCurrency(back.systemVolumeText);
    FUZZ_CHECK(volume.status == ParseStatus::Ok &&
                   volume.value.ticks() == Wide{s.CircuitVolumeTenths} * 1000,
               where + ": hand-back " + back.systemVolumeText);
    const CurrencyParse collector = parseCurrency(back.collectorVolumeText);
    FUZZ_CHECK(collector.status == ParseStatus::Ok && collector.value == s.CollectorTotal,
               where + ": hand-back " + back.collectorVolumeText);
    const FieldCheck taken = checkText1(startState(), back.systemVolumeText, ',');
    FUZZ_CHECK(taken.messages.empty() && taken.state.SystemVolume == volume.value,
               where + ": main window refuses " + back.systemVolumeText);
}

// A list at a catalogue entry shows the figure its box counts: a refused pick goes back whole.
void checkListsMatchBoxes(const Window& w, const std::string& where) {
    struct Shown {
        VolumeList list;
        VolumeBox box;
        bool hasNone;
        std::optional<Currency> (*figure)(int);
        bool pipe;
    };
    using L = VolumeList;
    const Shown rows[] = {
        {L::Combo4, B::Text1, false, collectorVolumeAt, false},
        {L::Combo5, B::Text13, true, collectorVolumeAt, false},
        {L::Combo1, B::Text8, false, exchangerVolumeAt, false},
        {L::Combo2, B::Text9, true, exchangerVolumeAt, false},
        {L::Combo3, B::Text10, true, exchangerVolumeAt, false},
        {L::Combo6, B::Text15, false, pipeLitresPerMetreAt, true},
        {L::Combo7, B::Text16, true, pipeLitresPerMetreAt, true},
        {L::Combo8, B::Text17, true, pipeLitresPerMetreAt, true},
        {L::Combo9, B::Text18, true, pipeLitresPerMetreAt, true},
    };
    for (const Shown& row : rows) {
        const int index = w.listIndex(row.list);
        if (index < 0) continue;
        std::string expected = "0";
        if (!row.hasNone || index > 0) {
            const std::optional<Currency> value = row.figure(row.hasNone ? index - 1 : index);
            if (!value) continue;  // the user's own figure
            expected = row.pipe ? pipeBoxText(*value, ',') : currencyText(*value, ',');
        }
        FUZZ_CHECK(w.text(row.box) == expected,
                   where + ": list " + std::to_string(static_cast<int>(row.list)) + " at " +
                       std::to_string(index) + ", box '" + w.text(row.box) + "'");
    }
}

constexpr VolumeBox kBoxes[] = {B::Text1,  B::Text2,  B::Text3,  B::Text4,  B::Text5,  B::Text6,
                                B::Text8,  B::Text9,  B::Text10, B::Text12, B::Text13, B::Text14,
                                B::Text15, B::Text16, B::Text17, B::Text18};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Window w;
    w.load();
    checkTotals(w, "start-up");
    for (int step = 0; step < 32 && input.remaining_bytes() > 0; ++step) {
        w.messages.clear();
        w.deepest = 0;
        std::string where;
        const int kind = input.ConsumeIntegralInRange(0, 3);
        if (kind == 0) {
            // The lists take no typed text: a pick is always one of their entries.
            const auto list = static_cast<VolumeList>(input.ConsumeIntegralInRange(0, 8));
            const int count = static_cast<int>(listEntries(list).size());
            const int index = input.ConsumeIntegralInRange(0, count - 1);
            where = "pick " + std::to_string(static_cast<int>(list)) + ":" + std::to_string(index);
            w.choose(list, index);
        } else {
            // A disabled box takes no input: its figure is the list's.
            const VolumeBox box = kBoxes[input.ConsumeIntegralInRange(0, 15)];
            if (!w.isEnabled(box)) continue;
            std::string text = w.text(box);
            if (kind == 1) {
                text = input.ConsumeRandomLengthString(24);
            } else if (kind == 2) {
                text += input.ConsumeIntegral<char>();
            } else if (!text.empty()) {
                text.pop_back();
            }
            where = "box " + std::to_string(static_cast<int>(box)) + " '" + text + "'";
            w.type(box, text);
        }
        FUZZ_CHECK(w.deepest <= 40, where + ": nesting " + std::to_string(w.deepest));
        FUZZ_CHECK(w.messages.size() <= 40,
                   where + ": messages " + std::to_string(w.messages.size()));
        // A refused total is put back once: one message for it, whatever the restore writes.
        FUZZ_CHECK(std::count(w.messages.begin(), w.messages.end(), kOutOfRangeMessage) <= 1,
                   where + ": more than one refused total");
        checkTotals(w, where);
        checkListsMatchBoxes(w, where);
    }
    return 0;
}
