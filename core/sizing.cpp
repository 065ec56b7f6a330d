#include "sizing.h"

#include <cmath>

#include "numtext.h"

namespace expans {

namespace {

// Reads Text11 the way the run accepts it; on rejection reports and falls back to the stored
// collector volume, which the field shows again.
Currency readCollectorVolume(const MainState& state, std::string_view text11, char separator,
                             SizingOutcome& outcome) {
    const char* message = nullptr;
    Currency value = state.CollectorVolume;
    if (!isNumeric(text11)) {
        message = kNotANumberMessage;
    } else if (const std::optional<double> number = parseDouble(text11); number && *number < 0) {
        message = kNegativeCollectorVolumeMessage;
    } else if (const CurrencyParse parsed = parseCurrency(text11);
               parsed.status != ParseStatus::Ok) {
        message = kOutOfRangeMessage;
    } else {
        value = parsed.value;
    }
    if (message != nullptr) {
        outcome.messages.emplace_back(message);
        outcome.collectorVolumeRestoreText = currencyText(state.CollectorVolume, separator);
    }
    return value;
}

}  // namespace

double specificVolume(const MainState& state, double t) {
    return (t * state.SpecVolumeB + state.SpecVolumeA) + t * (t * state.SpecVolumeC);
}

double expansionCoefficient(const MainState& state, Currency cold, Currency hot) {
    return (specificVolume(state, hot.toDouble()) - specificVolume(state, cold.toDouble())) * 1000;
}

SizingOutcome size(const MainState& state, bool evaporation, std::string_view text11,
                   std::string_view text7, char separator) {
    SizingOutcome outcome;
    outcome.state = state;
    outcome.evaporationPanel = evaporation;
    MainState next = state;

    const double e = expansionCoefficient(state, state.ColdTemperature, state.MaxMeanTemperature);
    const double v = state.SystemVolume.toDouble();
    try {
        if (evaporation) {
            next.CollectorVolume = readCollectorVolume(state, text11, separator, outcome);
            if (const CurrencyParse height = parseCurrency(text7); height.status == ParseStatus::Ok)
                next.StaticHeight = height.value;
            next.HotVolume = cy(next.CollectorVolume.toDouble() + v * (e + 1));
        } else {
            next.CollectorVolume = Currency{};
            next.HotVolume = cy(v * (e + 1));
        }
        next.ExpansionVolume = next.HotVolume - next.SystemVolume;

        const double p0 = state.PrePressureAbs.toDouble();
        const double pf = state.FillPressureAbs.toDouble();
        const double pm = state.MaxPressureAbs.toDouble();
        // Checked input keeps 1 <= p0 < pf < pm, so both are positive; a state that breaks this
        // must not divide by zero.
        const double denominator = p0 / pf - p0 / pm;
        if (pf <= 0 || pm <= 0 || denominator == 0)
            throw ArithmeticFault("vessel pressures leave no usable gas volume");
        next.MinVesselVolume = cy(next.ExpansionVolume.toDouble() / denominator);

        const Currency vesselTimesPre = state.PrePressureAbs * state.SelectedVesselVolume;
        next.VesselWaterReserve = cy(state.SelectedVesselVolume - vesselTimesPre.toDouble() / pf);
        const Currency antifreeze =
            (next.SystemVolume + next.VesselWaterReserve) * next.GlycolFraction;

        outcome.labels = SizingLabels{
            resultText(next.ExpansionVolume, separator), resultText(next.HotVolume, separator),
            resultText(next.MinVesselVolume, separator), resultText(antifreeze, separator)};
        outcome.state = next;
    } catch (const ArithmeticFault&) {
        // One run says "too large" once: a collector volume it has just refused as too large
        // needs no second, identical box for the figures it then cannot count.
        if (outcome.messages.empty() || outcome.messages.back() != kOutOfRangeMessage)
            outcome.messages.emplace_back(kOutOfRangeMessage);
        outcome.labels.reset();
        outcome.state = state;
    }
    return outcome;
}

}  // namespace expans
