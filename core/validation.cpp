#include "validation.h"

#include <cstdint>
#include <functional>
#include <limits>

#include "numtext.h"
#include "units.h"

namespace expans {

namespace {

constexpr const char* kSystemVolumeNegative = "A rendszertérfogat pozitív kell legyen!";
constexpr const char* kSystemVolumeRestore = "20";
constexpr const char* kHeightTooLarge =
    "A megadott szintkülönbség mellett a kollektorok nyomása 1,5 bar alatt van!";

const Currency kLowest = Currency::fromTicks(std::numeric_limits<std::int64_t>::min());
const Currency kHighest = Currency::fromTicks(std::numeric_limits<std::int64_t>::max());

// A rule fails when its predicate holds for the entered value.
struct Rule {
    std::function<bool(double value, Currency stored)> fails;
    const char* message;
};

// The common pattern of Text2 … Text6. `value` is the typed figure as a double; `stored` is the
// figure as it will be stored (for pressures the absolute value). Rules run in order; after a
// failure the field shows the last accepted value again, which passes every later rule, so only
// the first failure is reported.
FieldCheck checkField(const MainState& state, std::string_view text, char separator, bool pressure,
                      Currency MainState::*target, const std::vector<Rule>& rules) {
    FieldCheck check;
    check.state = state;
    const Currency last = state.*target;
    const std::string restore = currencyText(pressure ? last - kGaugeToAbsolute : last, separator);
    auto reject = [&](const char* message) {
        check.messages.emplace_back(message);
        check.restoreText = restore;
    };

    const std::optional<double> value = parseDouble(text);
    if (!value) {
        reject(kNotANumberMessage);
        return check;
    }
    std::optional<Currency> stored;
    if (pressure) {
        stored = Currency::tryFromDouble(*value + kGaugeToAbsoluteBar);
    } else if (const CurrencyParse parsed = parseCurrency(text); parsed.status == ParseStatus::Ok) {
        stored = parsed.value;
    }
    // The field's own rules come first. A figure beyond the range is compared at the range's
    // end, which orders it against every stored value as the figure itself would be.
    const Currency compared = stored.value_or(*value < 0 ? kLowest : kHighest);
    for (const Rule& rule : rules) {
        if (rule.fails(*value, compared)) {
            reject(rule.message);
            return check;
        }
    }
    if (!stored) {
        reject(kOutOfRangeMessage);
        return check;
    }
    check.state.*target = *stored;
    return check;
}

}  // namespace

FieldCheck checkText1(const MainState& state, std::string_view text, char separator) {
    FieldCheck check;
    check.state = state;
    const std::optional<double> value = parseDouble(text);
    if (!value || *value < 0) {
        check.messages.emplace_back(!value ? kNotANumberMessage : kSystemVolumeNegative);
        check.restoreText = kSystemVolumeRestore;
        check.state.SystemVolume = Currency::fromInt(20);
        return check;
    }
    const CurrencyParse parsed = parseCurrency(text);
    if (parsed.status != ParseStatus::Ok) {
        check.messages.emplace_back(kOutOfRangeMessage);
        check.restoreText = currencyText(state.SystemVolume, separator);
        return check;
    }
    check.state.SystemVolume = parsed.value;
    return check;
}

FieldCheck checkText2(const MainState& state, std::string_view text, char separator) {
    const Currency fill = state.FillPressureAbs;
    const Currency max = state.MaxPressureAbs;
    return checkField(
        state, text, separator, true, &MainState::PrePressureAbs,
        {{[](double value, Currency) { return value + kGaugeToAbsoluteBar < 1; },
          "A levegő oldali előnyomás pozitív kell legyen!"},
         {[fill](double, Currency x) { return x >= fill; },
          "A levegő oldali előnyomás kisebb kell hogy legyen, mint a feltöltési nyomás!"},
         {[max](double, Currency x) { return x >= max; },
          "A levegő oldali előnyomás kisebb kell hogy legyen, mint a maximális nyomás!"}});
}

FieldCheck checkText3(const MainState& state, std::string_view text, char separator) {
    const Currency pre = state.PrePressureAbs;
    const Currency fill = state.FillPressureAbs;
    return checkField(
        state, text, separator, true, &MainState::MaxPressureAbs,
        {{[](double value, Currency) { return value + kGaugeToAbsoluteBar < 1; },
          "A maximális rendszernyomás pozitív kell legyen!"},
         {[pre](double, Currency x) { return x <= pre; },
          "A maximális rendszernyomás nagyobb kell hogy legyen, mint az előnyomás!"},
         {[fill](double, Currency x) { return x <= fill; },
          "A maximális rendszernyomás nagyobb kell hogy legyen, mint a feltöltési (hideg)nyomás!"},
         {[](double value, Currency) { return value + kGaugeToAbsoluteBar > 7; },
          "A maximális rendszernyomás kisebb kell hogy legyen, mint 6 bar!"}});
}

FieldCheck checkText4(const MainState& state, std::string_view text, char separator) {
    const Currency pre = state.PrePressureAbs;
    const Currency max = state.MaxPressureAbs;
    return checkField(
        state, text, separator, true, &MainState::FillPressureAbs,
        {{[](double value, Currency) { return value + kGaugeToAbsoluteBar < 1; },
          "A feltöltési nyomás pozitív kell legyen!"},
         {[pre](double, Currency x) { return x <= pre; },
          "A feltöltési nyomás nagyobb kell hogy legyen, mint a levegő oldali előnyomás!"},
         {[max](double, Currency x) { return x >= max; },
          "A feltöltési nyomás kisebb kell hogy legyen, mint a maximális nyomás!"}});
}

FieldCheck checkText5(const MainState& state, std::string_view text, char separator) {
    const Currency maxMean = state.MaxMeanTemperature;
    return checkField(
        state, text, separator, false, &MainState::ColdTemperature,
        {{[](double value, Currency) { return value < 0; },
          "A hideg hőmérséklet nagyobb kell legyen mint 0 °C!"},
         {[maxMean](double, Currency t) { return t > maxMean; },
          "A hideg hőmérséklet kisebb kell legyen mint a maximális átlagos hőmérséklet"}});
}

FieldCheck checkText6(const MainState& state, std::string_view text, char separator) {
    const Currency cold = state.ColdTemperature;
    return checkField(
        state, text, separator, false, &MainState::MaxMeanTemperature,
        {{[](double value, Currency) { return value < 0; },
          "A maximális átlagos hőmérséklet nagyobb kell legyen mint 0 °C!"},
         {[cold](double, Currency t) { return t < cold; },
          "A maximális átlagos hőmérséklet magasabb kell legyen mint a hideg hőmérséklet"},
         {[](double value, Currency) { return value > 300; },
          "A maximális átlagos hőmérséklet alacsonyabb kell legyen mint 300°C"}});
}

FieldCheck checkText7(const MainState& state, std::string_view text, char separator) {
    FieldCheck check;
    check.state = state;
    const std::string restore = currencyText(state.StaticHeight, separator);
    if (!isNumeric(text)) {
        check.messages.emplace_back(kNotANumberMessage);
        check.restoreText = restore;
        return check;
    }
    // Gauge fill pressure as a water column (1000 kg/m³, 9.81 m/s²) less the 15 m that keep
    // 1.5 bar at the collectors.
    const Currency pascal = (state.FillPressureAbs - kGaugeToAbsolute) * kPascalPerBar;
    check.state.MaxStaticHeight = cy(pascal.toDouble() / 1000 / kGravity - 15);
    const CurrencyParse height = parseCurrency(text);
    const bool tooHigh = height.status == ParseStatus::Ok
                             ? check.state.MaxStaticHeight < height.value
                             : parseDouble(text).value_or(0) > 0;
    if (tooHigh || height.status != ParseStatus::Ok) {
        check.messages.emplace_back(tooHigh ? kHeightTooLarge : kOutOfRangeMessage);
        check.restoreText = restore;
    }
    return check;
}

}  // namespace expans
