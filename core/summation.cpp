#include "summation.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "numtext.h"

namespace expans {

namespace {

// OwnFigure: only while the list is at its last entry, the user's own figure.
enum class When { Always, OwnFigure, ListNotNone };
enum class Accept { Positive, NotNegative };

struct Check {
    VolumeBox box;
    When when;
    VolumeList list;
    Accept accept;
    const char* message;
    int reset;
};

constexpr const char* kCollectorVolume = "A kollektortérfogat pozitív kell legyen!";
constexpr const char* kCollectorCount = "A kollektorszám pozitív kell legyen!";
constexpr const char* kExchanger = "A hőcserélő térfogat pozitív kell legyen!";
constexpr const char* kPipeLength = "A csőhossz pozitív kell legyen!";
constexpr const char* kFittings = "Az egyéb szerelvények térfogata pozitív kell legyen!";
constexpr const char* kPipeVolume = "A csőtérfogat pozitív kell legyen!";

using B = VolumeBox;
using L = VolumeList;

constexpr std::array<Check, 16> kChecks{{
    {B::Text1, When::OwnFigure, L::Combo4, Accept::Positive, kCollectorVolume, 0},
    {B::Text13, When::OwnFigure, L::Combo5, Accept::Positive, kCollectorVolume, 1},
    {B::Text2, When::Always, L::Combo4, Accept::Positive, kCollectorCount, 1},
    {B::Text14, When::ListNotNone, L::Combo5, Accept::NotNegative, kCollectorCount, 1},
    {B::Text8, When::OwnFigure, L::Combo1, Accept::Positive, kExchanger, 0},
    {B::Text9, When::OwnFigure, L::Combo2, Accept::Positive, kExchanger, 0},
    {B::Text10, When::OwnFigure, L::Combo3, Accept::Positive, kExchanger, 0},
    {B::Text3, When::Always, L::Combo6, Accept::NotNegative, kPipeLength, 0},
    {B::Text4, When::Always, L::Combo7, Accept::NotNegative, kPipeLength, 0},
    {B::Text5, When::Always, L::Combo8, Accept::NotNegative, kPipeLength, 0},
    {B::Text6, When::Always, L::Combo9, Accept::NotNegative, kPipeLength, 0},
    {B::Text12, When::Always, L::Combo1, Accept::NotNegative, kFittings, 0},
    {B::Text15, When::OwnFigure, L::Combo6, Accept::Positive, kPipeVolume, 0},
    {B::Text16, When::OwnFigure, L::Combo7, Accept::NotNegative, kPipeVolume, 0},
    {B::Text17, When::OwnFigure, L::Combo8, Accept::NotNegative, kPipeVolume, 0},
    {B::Text18, When::OwnFigure, L::Combo9, Accept::NotNegative, kPipeVolume, 0},
}};

bool applies(const Check& check, const VolumePort& port) {
    switch (check.when) {
        case When::Always:
            return true;
        case When::ListNotNone:
            return port.listIndex(check.list) != 0;
        case When::OwnFigure:
            break;
    }
    return port.listIndex(check.list) == ownFigureIndex(check.list);
}

// Empty when the box passes; otherwise the message to show before the reset.
const char* failure(const Check& check, const VolumePort& port) {
    const std::string text = port.text(check.box);
    const std::optional<double> value = parseDouble(text);
    if (!value) return kNotANumberMessage;
    const bool accepted = check.accept == Accept::Positive ? *value > 0 : *value >= 0;
    if (!accepted) return check.message;
    const CurrencyParse stored = parseCurrency(text);
    if (stored.status != ParseStatus::Ok) return kOutOfRangeMessage;
    // The figure counts at four decimals: one that would count as 0 is not positive.
    if (check.accept == Accept::Positive && stored.value <= Currency{}) return check.message;
    return nullptr;
}

// A box that cannot be read as a stored value; carries the message to show.
struct Unreadable {
    const char* message;
};

Currency read(const VolumePort& port, VolumeBox box) {
    const CurrencyParse parsed = parseCurrency(port.text(box));
    if (parsed.status == ParseStatus::NotNumeric) throw Unreadable{kNotANumberMessage};
    if (parsed.status == ParseStatus::OutOfRange) throw Unreadable{kOutOfRangeMessage};
    return parsed.value;
}

// 10 × total + 1, rounded to a whole number of tenths, ties to even.
std::int32_t tenthsOf(Currency total) {
    const std::int64_t ticks = (total * 10 + Currency::fromInt(1)).ticks();
    std::int64_t whole = ticks / Currency::kScale;
    std::int64_t rest = ticks % Currency::kScale;
    if (rest < 0) {
        whole -= 1;
        rest += Currency::kScale;
    }
    if (rest * 2 > Currency::kScale || (rest * 2 == Currency::kScale && whole % 2 != 0)) whole += 1;
    if (whole > std::numeric_limits<std::int32_t>::max() ||
        whole < std::numeric_limits<std::int32_t>::min())
        throw ArithmeticFault("system volume beyond the tenths counter");
    return static_cast<std::int32_t>(whole);
}

struct Sums {
    VolumeState state;
    Currency exchangers;
};

// The sums: re-reads all sixteen boxes and forms the totals; throws when a box or a sum cannot be
// stored.
Sums sum(const VolumeState& before, const VolumePort& port) {
    Sums out{before, {}};
    VolumeState& next = out.state;
    const auto count = [&next](const VolumePort& from, VolumeBox box) {
        const Currency figure = read(from, box);
        next.CountedFigures[static_cast<std::size_t>(box)] = figure;
        return figure;
    };
    next.CollectorCount1 = count(port, B::Text2);
    next.CollectorCount2 = count(port, B::Text14);
    next.CollectorUnitVolume1 = count(port, B::Text1);
    next.CollectorUnitVolume2 = count(port, B::Text13);
    next.CollectorTotal = next.CollectorUnitVolume1 * next.CollectorCount1 +
                          next.CollectorUnitVolume2 * next.CollectorCount2;

    next.PipeLength1 = count(port, B::Text3);
    next.PipeLength2 = count(port, B::Text4);
    next.PipeLength3 = count(port, B::Text5);
    next.PipeLength4 = count(port, B::Text6);
    next.PipeLitresPerMetre1 = count(port, B::Text15);
    next.PipeLitresPerMetre2 = count(port, B::Text16);
    next.PipeLitresPerMetre3 = count(port, B::Text17);
    next.PipeLitresPerMetre4 = count(port, B::Text18);
    next.PipingTotal =
        next.PipeLitresPerMetre1 * next.PipeLength1 + next.PipeLitresPerMetre2 * next.PipeLength2 +
        next.PipeLitresPerMetre3 * next.PipeLength3 + next.PipeLitresPerMetre4 * next.PipeLength4;

    next.ExchangerVolume1 = count(port, B::Text8);
    next.ExchangerVolume2 = count(port, B::Text9);
    next.ExchangerVolume3 = count(port, B::Text10);
    out.exchangers = next.ExchangerVolume1 + next.ExchangerVolume2 + next.ExchangerVolume3;

    next.FittingsVolume = count(port, B::Text12);
    next.CircuitTotal =
        next.CollectorTotal + next.PipingTotal + out.exchangers + next.FittingsVolume;
    next.CircuitVolumeTenths = tenthsOf(next.CircuitTotal);
    return out;
}

// Every list and box goes back to what the last complete run counted: a list to its entry
// (without its Click, which would write the entry's figure over the counted one) together with
// its enabling, then each box whose figure differs. The writes run no calculation of their own
// (see calculate), so nothing they hold is checked or refused again and no restore can start
// another: the figures that were counted together count again.
void restoreCounted(VolumeState& state, VolumePort& port, char separator) {
    state.Running.restoring = true;
    for (std::size_t i = 0; i < state.CountedLists.size(); ++i) {
        const auto list = static_cast<VolumeList>(i);
        const int counted = state.CountedLists[i];
        if (counted < 0 || port.listIndex(list) == counted) continue;
        port.restoreListIndex(list, counted);
        enableRow(list, counted, port);
    }
    for (std::size_t i = 0; i < state.CountedFigures.size(); ++i) {
        const auto box = static_cast<VolumeBox>(i);
        const Currency counted = state.CountedFigures[i];
        const CurrencyParse shown = parseCurrency(port.text(box));
        if (shown.status == ParseStatus::Ok && shown.value == counted) continue;
        port.setText(box, currencyText(counted, separator));
    }
    state.Running.restoring = false;
}

// Counts the calculations running; the outermost one starts a new user change.
class RunScope {
public:
    explicit RunScope(VolumeState& state) : m_state(state) {
        if (m_state.Running.depth++ == 0) m_state.Running.refusalShown = false;
    }
    ~RunScope() { --m_state.Running.depth; }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    VolumeState& m_state;
};

}  // namespace

bool calculate(VolumeState& state, VolumePort& port, char separator) {
    // A write of the restore below: the restore counts once all its boxes are back.
    if (state.Running.restoring) return false;
    const RunScope run(state);
    // A figure that cannot be counted is said once per change, though its reset or the restore
    // may meet it again.
    const auto show = [&state, &port](const char* message) {
        if (std::string_view(message) == kOutOfRangeMessage) {
            if (state.Running.refusalShown) return;
            state.Running.refusalShown = true;
        }
        port.showMessage(message);
    };
    std::array<bool, kChecks.size()> examined{};
    for (std::size_t i = 0; i < kChecks.size(); ++i) {
        const Check& check = kChecks[i];
        if (!applies(check, port)) continue;
        examined[i] = true;
        if (const char* message = failure(check, port)) {
            show(message);
            port.setText(check.box, intText(check.reset));
        }
    }
    // A box the checks above pass over normally holds a figure its list wrote. It can hold the
    // user's text only when the list lost its selection to typing while the box was open; such a
    // text must still be a storable number, or it is reported and cleared like any other.
    for (std::size_t i = 0; i < kChecks.size(); ++i) {
        if (examined[i]) continue;
        const CurrencyParse parsed = parseCurrency(port.text(kChecks[i].box));
        if (parsed.status == ParseStatus::Ok) continue;
        show(parsed.status == ParseStatus::NotNumeric ? kNotANumberMessage : kOutOfRangeMessage);
        port.setText(kChecks[i].box, intText(0));
    }

    std::optional<Sums> sums;
    try {
        sums = sum(state, port);
    } catch (const Unreadable& unreadable) {
        show(unreadable.message);
        return false;
    } catch (const ArithmeticFault&) {
        // The figure just entered cannot be counted: the lists and boxes go back to what the
        // last run counted, so the totals match the boxes. One message, whatever the restore
        // writes.
        show(kOutOfRangeMessage);
        restoreCounted(state, port, separator);
        try {
            sums = sum(state, port);
        } catch (const Unreadable&) {
        } catch (const ArithmeticFault&) {
        }
        if (!sums) return false;
    }

    state = sums->state;
    for (std::size_t i = 0; i < state.CountedLists.size(); ++i) {
        state.CountedLists[i] = port.listIndex(static_cast<VolumeList>(i));
    }
    for (const VolumeLabel label : {VolumeLabel::Label9, VolumeLabel::Label10, VolumeLabel::Label13,
                                    VolumeLabel::Label16, VolumeLabel::Label14}) {
        port.setLabel(label, volumeLabelText(state, label, separator));
    }
    return true;
}

std::string volumeLabelText(const VolumeState& state, VolumeLabel label, char separator) {
    switch (label) {
        case VolumeLabel::Label9:
            return currencyText(state.CollectorTotal, separator);
        case VolumeLabel::Label10:
            return currencyText(state.PipingTotal, separator);
        case VolumeLabel::Label13:
            // The sum the run formed: it fitted then.
            return currencyText(
                state.ExchangerVolume1 + state.ExchangerVolume2 + state.ExchangerVolume3,
                separator);
        case VolumeLabel::Label16:
            return currencyText(state.FittingsVolume, separator);
        case VolumeLabel::Label14:
            return systemVolumeText(state, separator);
    }
    return {};
}

std::string systemVolumeText(const VolumeState& state, char separator) {
    return tenthsText(state.CircuitVolumeTenths, separator);
}

HandBack handBack(const VolumeState& state, char separator) {
    return {systemVolumeText(state, separator), currencyText(state.CollectorTotal, separator)};
}

}  // namespace expans
