#include "opstate.h"

#include <algorithm>
#include <cmath>

#include "numtext.h"
#include "units.h"

namespace expans {

namespace {

// Any NaN or infinity in the model is a fault of the inputs' range, reported, never propagated.
double finite(double value) {
    if (!std::isfinite(value)) {
        throw ArithmeticFault("result outside range");
    }
    return value;
}

// Specific volume in m³/kg at T °C.
double specificVolume(const MainState& s, double t) {
    return s.SpecVolumeC * t * t + (s.SpecVolumeB * t + s.SpecVolumeA);
}

// Relative expansion from the cold temperature to t, rounded to four places before any use.
Currency expansion(const MainState& s, double t) {
    const double cold = s.ColdTemperature.toDouble();
    return cy(1000 * (specificVolume(s, t) - specificVolume(s, cold)));
}

}  // namespace

double boilingPoint(double pressureAbs, double concentratePercent) {
    // Below vacuum the correlation runs away (and its second exponential overflows).
    const double p = std::max(pressureAbs, 0.0);
    const double k = concentratePercent;
    const double factor =
        0.85849 + 0.14449 * std::exp(k / 110.27928) + 5.09519e-8 * std::exp(k / 6.10987);
    return factor *
               (155.8422 - 101.41205 * std::exp(-p / 1.75704) - 55.63876 * std::exp(-p / 0.06858) +
                1.6) *
               1.28 -
           28.3;
}

Boiling classifyBoiling(double t2, double tbl, double tbv, bool valveLimited, double vvMax,
                        double vc) {
    const double limitedShare = vc > 0 ? vvMax / vc : 0.0;
    // Three separate tests: at either boundary none applies and the state stays unclassified.
    Boiling b{BoilingState::Unclassified, 0};
    if (t2 < tbl) {
        b = {BoilingState::None, 0};
    }
    if (t2 > tbv) {
        b = {BoilingState::Full, valveLimited ? limitedShare : 1.0};
    }
    if (t2 > tbl && t2 < tbv) {
        b = {BoilingState::Partial, valveLimited ? limitedShare : (t2 - tbl) / (tbv - tbl)};
    }
    // A share is never below none or above all of the content.
    b.fraction = std::isnan(b.fraction) ? 0.0 : std::clamp(b.fraction, 0.0, 1.0);
    return b;
}

std::optional<bool> vapourLabelsVisible(BoilingState state) {
    switch (state) {
        case BoilingState::None:
            return false;
        case BoilingState::Partial:
        case BoilingState::Full:
            return true;
        case BoilingState::Unclassified:
            break;
    }
    return std::nullopt;
}

MeanSliderStep meanSlider(MainState& state, int hscroll1Value) {
    // The slider's range (-25 … 160) keeps T1 + kCollectorAboveMean well inside 16 bits.
    const auto t1 =
        static_cast<std::int16_t>(std::clamp(hscroll1Value, -32768, 32767 - kCollectorAboveMean));
    state.MeanTemperature = t1;
    const int t2 = t1 + kCollectorAboveMean;
    state.CollectorTemperature = Currency::fromInt(t2);
    return {t2, degreesText(t1)};
}

OperatingOutcome recompute(const MainState& input, int hscroll2Value, std::string_view text11,
                           char separator) {
    OperatingOutcome out;
    out.state = input;
    out.display.collectorTemperatureText = degreesText(hscroll2Value);
    try {
        MainState s = input;
        const Currency one = Currency::fromInt(1);

        s.CollectorTemperature = Currency::fromInt(hscroll2Value);
        const double t1 = s.MeanTemperature;
        const double t2 = s.CollectorTemperature.toDouble();

        s.MeanExpansion = expansion(s, t1);
        s.CollectorExpansion = expansion(s, t2);
        const Currency e1 = s.MeanExpansion;
        const Currency e2 = s.CollectorExpansion;

        // kg/m³; 0 while no fluid is chosen, which also drops the hydrostatic correction.
        const double rho = s.SpecVolumeA > 0 ? finite(1 / specificVolume(s, t1)) : 0.0;

        const CurrencyParse parsed = parseCurrency(text11);
        if (parsed.status == ParseStatus::OutOfRange) {
            throw ArithmeticFault("collector volume outside range");
        }
        const Currency vc = parsed.status == ParseStatus::Ok ? parsed.value : s.CollectorVolume;
        // The panel draws whatever the box holds, but a negative volume is never kept: the
        // sizing falls back to the stored volume when it rejects the box.
        if (vc >= Currency{}) s.CollectorVolume = vc;
        const Currency v = s.SystemVolume;

        // Volume demand of the two bracketing cases: all collector content pushed out by vapour,
        // or all of it still liquid at the collector temperature.
        const Currency q = v + (v - vc) * e1;
        const Currency dVvap = (q + vc) - v;
        const Currency dVliq = (q + vc * e2) - v;

        const std::int16_t vn = s.SelectedVesselVolume;
        s.GasCushionProduct = s.PrePressureAbs * vn;
        const double k = s.GasCushionProduct.toDouble();
        const double pmax = s.MaxPressureAbs.toDouble();
        const double vgMax = finite(k / pmax);
        const double vgf = finite(vn - (vn - k / s.FillPressureAbs.toDouble()));

        double gVap = vgf - dVvap.toDouble();
        double gLiq = vgf - dVliq.toDouble();
        bool limited = false;
        double vvMax = vc.toDouble();
        if (gVap < vgMax) {
            gVap = vgMax;
            limited = true;
            vvMax = finite((vgf - vgMax - (v * e1).toDouble()) / (one - e1).toDouble());
        }
        gLiq = std::max(gLiq, vgMax);

        const double dph = rho * kGravity * s.StaticHeight.toDouble() / kPascalPerBar;
        const double pVap = finite(k / gVap - dph);
        const double pLiq = finite(k / gLiq - dph);
        const double percent = (s.GlycolFraction * 100).toDouble();
        const double tbv = finite(boilingPoint(pVap, percent));
        const double tbl = finite(boilingPoint(pLiq, percent));

        const Boiling boiling = classifyBoiling(t2, tbl, tbv, limited, vvMax, vc.toDouble());
        const double f = boiling.fraction;

        // Above the all-vapour boiling point the vapour expands with the temperature ratio; a
        // boiling point at or below 0 °C has no meaningful ratio, the whole content counts once.
        if (t2 < tbv) {
            s.VapourVolume = cy(f * vc.toDouble());
        } else if (tbv > 0) {
            s.VapourVolume = cy(vc.toDouble() / tbv * t2);
        } else {
            s.VapourVolume = vc;
        }

        s.OperatingVolume =
            cy(q.toDouble() + (1 - f) * vc.toDouble() * e2.toDouble() + s.VapourVolume.toDouble());
        s.OperatingVolumeChange = s.OperatingVolume - v;
        s.GasVolume = cy(vn - (vn - k / s.FillPressureAbs.toDouble())) - s.OperatingVolumeChange;

        bool blows = false;
        const Currency vnCy = Currency::fromInt(vn);
        if (s.GasVolume.toDouble() < vgMax) {
            blows = true;
            s.GasVolume = cy(vgMax);
            s.SystemPressureAbs = s.MaxPressureAbs;
        } else if (s.GasVolume > vnCy) {
            s.SystemPressureAbs =
                kGaugeToAbsolute;  // the vessel's fluid side is empty: 0 bar gauge
        } else {
            s.SystemPressureAbs = cy(k / s.GasVolume.toDouble());
        }
        s.GasVolume = std::min(s.GasVolume, vnCy);

        s.BoilingPoint = cy(boilingPoint(s.SystemPressureAbs.toDouble() - dph, percent));

        PanelDisplay& d = out.display;
        d.vapourLabelsVisible = vapourLabelsVisible(boiling.state);
        d.vapourShareText = vapourShareText(f);
        d.closedValveVisible = !blows;
        d.gaugePressureText = gaugePressureText(s.SystemPressureAbs, separator);
        // Without a vessel there is no gas to draw.
        d.gasBar = gasBar(vn > 0 ? s.GasVolume.toDouble() / vn : 0.0);
        d.needle = needleLine(s.SystemPressureAbs);
        d.boilingPointText = boilingPointText(s.BoilingPoint, separator);

        out.state = s;
        out.boiling = boiling.state;
        out.vapourFraction = f;
        out.valveLimited = limited;
        out.valveBlowsOff = blows;
    } catch (const ArithmeticFault&) {
        const std::string label34 = out.display.collectorTemperatureText;
        out = OperatingOutcome{};
        out.ok = false;
        out.message = kOutOfRangeMessage;
        out.state = input;
        out.display.collectorTemperatureText = label34;
    }
    return out;
}

}  // namespace expans
