#include "catalogue.h"

#include <array>
#include <cstddef>

#include "numtext.h"

namespace expans {

namespace {

struct Entry {
    const char* name;
    std::int64_t ticks;  // volume in ten-thousandths of a liter
};

constexpr std::array<Entry, 3> kCollectors{{
    {"Solvendra SV 300", 15700},
    {"Solvendra SV 330", 17000},
    {"Solvendra SV 400", 13000},
}};
constexpr const char* kOtherCollector = "Más típusú kollektor";

constexpr std::array<Entry, 9> kExchangers{{
    {"200 literes tároló hőcserélő (1 m2)", 57000},
    {"300 literes tároló hőcserélő (1,5 m2)", 85000},
    {"400 literes tároló hőcserélő (1,8 m2)", 102000},
    {"500 literes tároló hőcserélő (1,9 m2)", 108000},
    {"KN 0", 5000},
    {"KN 1", 8000},
    {"KN 2", 10000},
    {"KN 3", 13000},
    {"KN 4", 30000},
}};
constexpr const char* kOtherExchanger = "Lemezes hőcserélő";

struct Pipe {
    const char* name;
    double innerDiameter;  // m: outer diameter less the two 1 mm walls
};

constexpr std::array<Pipe, 6> kPipes{{
    {"15 x 1", 0.013},
    {"18 x 1", 0.016},
    {"22 x 1", 0.020},
    {"28 x 1", 0.026},
    {"35 x 1", 0.033},
    {"42 x 1", 0.040},
}};
constexpr const char* kOtherPipe = "Más csőméret";

template <typename Table>
bool inTable(const Table& table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

template <typename Table>
std::vector<std::string> namesOf(const Table& table, const char* other) {
    std::vector<std::string> names;
    for (const auto& row : table) names.emplace_back(row.name);
    names.emplace_back(other);
    return names;
}

enum class Kind { Collector, Exchanger, Pipe };

// How a list is wired to its row: the catalogue, whether "Nincs" comes first, the volume box and
// the count or length box, and the stored values they feed.
struct Row {
    Kind kind;
    bool hasNone;
    VolumeBox volumeBox;
    std::optional<VolumeBox> secondBox;
    Currency VolumeState::*volume;
    Currency VolumeState::*second;
    int startIndex;
    std::vector<VolumeBox> disabledAtLoad;
};

const Row& rowOf(VolumeList list) {
    static const std::array<Row, 9> rows{{
        // Combo1
        {Kind::Exchanger,
         false,
         VolumeBox::Text8,
         std::nullopt,
         &VolumeState::ExchangerVolume1,
         nullptr,
         1,
         {VolumeBox::Text8}},
        // Combo2
        {Kind::Exchanger,
         true,
         VolumeBox::Text9,
         std::nullopt,
         &VolumeState::ExchangerVolume2,
         nullptr,
         0,
         {VolumeBox::Text9}},
        // Combo3
        {Kind::Exchanger,
         true,
         VolumeBox::Text10,
         std::nullopt,
         &VolumeState::ExchangerVolume3,
         nullptr,
         0,
         {VolumeBox::Text10}},
        // Combo4
        {Kind::Collector,
         false,
         VolumeBox::Text1,
         VolumeBox::Text2,
         &VolumeState::CollectorUnitVolume1,
         &VolumeState::CollectorCount1,
         0,
         {VolumeBox::Text1}},
        // Combo5
        {Kind::Collector,
         true,
         VolumeBox::Text13,
         VolumeBox::Text14,
         &VolumeState::CollectorUnitVolume2,
         &VolumeState::CollectorCount2,
         0,
         {VolumeBox::Text13, VolumeBox::Text14}},
        // Combo6
        {Kind::Pipe,
         false,
         VolumeBox::Text15,
         VolumeBox::Text3,
         &VolumeState::PipeLitresPerMetre1,
         &VolumeState::PipeLength1,
         1,
         {}},
        // Combo7
        {Kind::Pipe,
         true,
         VolumeBox::Text16,
         VolumeBox::Text4,
         &VolumeState::PipeLitresPerMetre2,
         &VolumeState::PipeLength2,
         0,
         {VolumeBox::Text4}},
        // Combo8
        {Kind::Pipe,
         true,
         VolumeBox::Text17,
         VolumeBox::Text5,
         &VolumeState::PipeLitresPerMetre3,
         &VolumeState::PipeLength3,
         0,
         {VolumeBox::Text5}},
        // Combo9
        {Kind::Pipe,
         true,
         VolumeBox::Text18,
         VolumeBox::Text6,
         &VolumeState::PipeLitresPerMetre4,
         &VolumeState::PipeLength4,
         0,
         {}},
    }};
    return rows[static_cast<std::size_t>(list)];
}

const std::vector<std::string>& namesOf(Kind kind) {
    switch (kind) {
        case Kind::Collector:
            return collectorNames();
        case Kind::Exchanger:
            return exchangerNames();
        case Kind::Pipe:
            break;
    }
    return pipeNames();
}

std::optional<Currency> catalogueValue(Kind kind, int index) {
    switch (kind) {
        case Kind::Collector:
            return collectorVolumeAt(index);
        case Kind::Exchanger:
            return exchangerVolumeAt(index);
        case Kind::Pipe:
            break;
    }
    return pipeLitresPerMetreAt(index);
}

// The text a catalogue value is written with: volumes as Currency text, pipes cut to three
// decimals.
std::string catalogueText(Kind kind, Currency value, char separator) {
    return kind == Kind::Pipe ? pipeBoxText(value, separator) : currencyText(value, separator);
}

// The user's-own-figure preset: the double 1.5 for collectors, the integers 1 and 0 otherwise.
std::string otherPreset(Kind kind, char separator) {
    switch (kind) {
        case Kind::Collector:
            return doubleText(1.5, separator);
        case Kind::Exchanger:
            return intText(1);
        case Kind::Pipe:
            break;
    }
    return intText(0);
}

}  // namespace

const std::vector<std::string>& collectorNames() {
    static const std::vector<std::string> names = namesOf(kCollectors, kOtherCollector);
    return names;
}

const std::vector<std::string>& exchangerNames() {
    static const std::vector<std::string> names = namesOf(kExchangers, kOtherExchanger);
    return names;
}

const std::vector<std::string>& pipeNames() {
    static const std::vector<std::string> names = namesOf(kPipes, kOtherPipe);
    return names;
}

std::vector<std::string> listEntries(VolumeList list) {
    const Row& row = rowOf(list);
    std::vector<std::string> entries;
    if (row.hasNone) entries.emplace_back(kNoneEntry);
    const std::vector<std::string>& names = namesOf(row.kind);
    entries.insert(entries.end(), names.begin(), names.end());
    return entries;
}

int startIndex(VolumeList list) {
    return rowOf(list).startIndex;
}

int ownFigureIndex(VolumeList list) {
    return static_cast<int>(listEntries(list).size()) - 1;
}

std::vector<VolumeBox> boxesDisabledAtLoad(VolumeList list) {
    return rowOf(list).disabledAtLoad;
}

Currency pipeLitresPerMetre(double innerDiameter) {
    return cy(innerDiameter * innerDiameter * 3.1415926 / 4 * 1000);
}

std::string pipeBoxText(Currency litresPerMetre, char separator) {
    const std::int64_t thousandths = (litresPerMetre * 1000).floor();
    return doubleText(static_cast<double>(thousandths) / 1000, separator);
}

std::optional<Currency> collectorVolumeAt(int index) {
    if (!inTable(kCollectors, index)) return std::nullopt;
    return Currency::fromTicks(kCollectors[static_cast<std::size_t>(index)].ticks);
}

std::optional<Currency> exchangerVolumeAt(int index) {
    if (!inTable(kExchangers, index)) return std::nullopt;
    return Currency::fromTicks(kExchangers[static_cast<std::size_t>(index)].ticks);
}

std::optional<Currency> pipeLitresPerMetreAt(int index) {
    if (!inTable(kPipes, index)) return std::nullopt;
    return pipeLitresPerMetre(kPipes[static_cast<std::size_t>(index)].innerDiameter);
}

const char* boxName(VolumeBox box) {
    static constexpr std::array<const char*, 16> kNames{
        "Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text8",  "Text9",
        "Text10", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18"};
    return kNames[static_cast<std::size_t>(box)];
}

const char* listName(VolumeList list) {
    static constexpr std::array<const char*, 9> kNames{
        "Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6", "Combo7", "Combo8", "Combo9"};
    return kNames[static_cast<std::size_t>(list)];
}

std::vector<FixedBox> fixedBoxes(VolumeList list, int index, char separator) {
    const Row& row = rowOf(list);
    if (row.hasNone && index == 0) {
        std::vector<FixedBox> boxes{{row.volumeBox, currencyText(Currency{}, separator)}};
        if (row.secondBox) boxes.push_back({*row.secondBox, intText(0)});
        return boxes;
    }
    const int catalogueIndex = row.hasNone ? index - 1 : index;
    if (const std::optional<Currency> value = catalogueValue(row.kind, catalogueIndex)) {
        return {{row.volumeBox, catalogueText(row.kind, *value, separator)}};
    }
    return {};
}

void select(VolumeList list, VolumeState& state, VolumePort& port, char separator) {
    const Row& row = rowOf(list);
    // Collector row 2 and pipe rows 2 … 4 open their second box; "Nincs" closes it again.
    const bool switchable = row.hasNone && row.secondBox.has_value();

    port.setEnabled(row.volumeBox, false);
    if (switchable) port.setEnabled(*row.secondBox, true);

    const int index = port.listIndex(list);
    if (index < 0) return;
    // A figure whose total cannot be counted puts the list back on its last counted entry, with
    // that entry's enabling; the selection then has nothing more to open or close.
    const auto stillChosen = [&] { return port.listIndex(list) == index; };
    if (row.hasNone && index == 0) {
        state.*row.volume = Currency{};
        if (switchable) state.*row.second = Currency{};
        port.setText(row.volumeBox, currencyText(Currency{}, separator));
        if (switchable) {
            port.setText(*row.secondBox, intText(0));
            if (stillChosen()) port.setEnabled(*row.secondBox, false);
        }
        return;
    }
    const int catalogueIndex = row.hasNone ? index - 1 : index;
    if (const std::optional<Currency> value = catalogueValue(row.kind, catalogueIndex)) {
        state.*row.volume = *value;
        port.setText(row.volumeBox, catalogueText(row.kind, *value, separator));
    } else if (index == ownFigureIndex(list)) {
        port.setText(row.volumeBox, otherPreset(row.kind, separator));
        if (stillChosen()) port.setEnabled(row.volumeBox, true);
    }
}

void enableRow(VolumeList list, int index, VolumePort& port) {
    const Row& row = rowOf(list);
    port.setEnabled(row.volumeBox, index == ownFigureIndex(list));
    if (row.hasNone && row.secondBox) port.setEnabled(*row.secondBox, index != 0);
}

}  // namespace expans
