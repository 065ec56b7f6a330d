#include "standard_check.h"

#include <algorithm>
#include <cmath>

#include "job.h"
#include "numtext.h"
#include "sizing.h"
#include "tables.h"
#include "units.h"

namespace expans {

namespace {

constexpr double kWaterSealShare = 0.005;  // of the circuit volume
constexpr double kWaterSealLeast = 3;      // liter
constexpr double kLowValveLimit = 5;       // bar: up to it the final pressure is 0.5 bar below
constexpr double kLowValveMargin = 0.5;    // bar
constexpr double kHighValveShare = 0.9;    // above it: 90 % of the opening pressure

// A figure as the main window shows its results (cut to two decimals), or nothing when no stored
// value could hold it.
std::optional<std::string> shown(double value, char separator) {
    if (!std::isfinite(value)) return std::nullopt;
    const std::optional<Currency> c = Currency::tryFromDouble(value);
    if (!c) return std::nullopt;
    return resultText(*c, separator);
}

// A result kept only when it is finite and fits a stored value; a volume also never below zero.
std::optional<double> usable(double value) {
    if (!std::isfinite(value) || !Currency::tryFromDouble(value)) return std::nullopt;
    return value;
}

const char* const kOutOfRange = "Az eredmény kívül esik a számolható tartományon.";

struct Texts {
    char sep;
    std::string operator()(double value) const {
        return shown(value, sep).value_or(std::string("?"));
    }
};

}  // namespace

CheckInputRead readSteamPipeVolume(std::string_view text) {
    if (!isNumeric(text)) return {kNotANumberMessage, {}};
    const std::optional<double> number = parseDouble(text);
    if (number && *number < 0) return {kNegativeSteamPipeVolumeMessage, {}};
    const CurrencyParse parsed = parseCurrency(text);
    if (parsed.status != ParseStatus::Ok) return {kOutOfRangeMessage, {}};
    return {std::nullopt, parsed.value};
}

CheckInputRead readValvePressure(std::string_view text) {
    if (!isNumeric(text)) return {kNotANumberMessage, {}};
    const CurrencyParse parsed = parseCurrency(text);
    const std::optional<double> number = parseDouble(text);
    if (parsed.status != ParseStatus::Ok || !number || *number <= 0 || parsed.value <= Currency{} ||
        parsed.value > Currency::fromInt(10)) {
        return {kValvePressureRangeMessage, {}};
    }
    return {std::nullopt, parsed.value};
}

CheckInputs checkInputsOf(const Job& job) {
    CheckInputs inputs;
    if (const CheckInputRead v = readSteamPipeVolume(job.steamPipeVolume); !v.message) {
        inputs.steamPipeVolume = v.value;
    }
    if (!job.valvePressure.empty()) {
        if (const CheckInputRead p = readValvePressure(job.valvePressure); !p.message) {
            inputs.valvePressure = p.value;
        }
    }
    return inputs;
}

std::optional<std::string> checkInputFault(const Job& job) {
    if (const CheckInputRead v = readSteamPipeVolume(job.steamPipeVolume); v.message) {
        return "A(z) „Tagtartaly.SteamPipeVolume” értéke érvénytelen: " + *v.message + ".";
    }
    if (!job.valvePressure.empty()) {
        if (const CheckInputRead p = readValvePressure(job.valvePressure); p.message) {
            return "A(z) „Tagtartaly.ValveOpeningPressure” értéke érvénytelen: " + *p.message + ".";
        }
    }
    return std::nullopt;
}

StandardCheck checkVessel(const MainState& state, bool evaporation, std::string_view heightText,
                          const CheckInputs& inputs, char separator) {
    const Texts t{separator};
    StandardCheck c;
    c.systemVolume = state.SystemVolume.toDouble();
    c.expansionCoefficient =
        expansionCoefficient(state, state.ColdTemperature, state.MaxMeanTemperature);
    c.collectorVolume = evaporation ? std::max(state.CollectorVolume.toDouble(), 0.0) : 0.0;
    c.steamPipeVolume = std::max(inputs.steamPipeVolume.toDouble(), 0.0);
    c.valveFollowsMaximum = !inputs.valvePressure.has_value();
    c.valvePressure = inputs.valvePressure ? inputs.valvePressure->toDouble()
                                           : (state.MaxPressureAbs - kGaugeToAbsolute).toDouble();
    c.prePressure = (state.PrePressureAbs - kGaugeToAbsolute).toDouble();
    c.fillPressure = (state.FillPressureAbs - kGaugeToAbsolute).toDouble();
    c.vesselVolume = state.SelectedVesselVolume;

    const double va = std::max(c.systemVolume, 0.0);
    const double p0 = c.prePressure;
    const double vn = c.vesselVolume;
    const double vk = c.collectorVolume;
    const double vp = c.steamPipeVolume;

    // 1. Expansion volume. A fluid that shrinks between the two temperatures needs no room.
    std::string shrinkNote;
    if (std::isfinite(c.expansionCoefficient)) {
        c.expansionVolume = usable(std::max(c.expansionCoefficient * va, 0.0));
        if (c.expansionCoefficient < 0 && c.expansionVolume) {
            shrinkNote =
                "A folyadék a hideg és a maximális hőmérséklet között nem tágul: a "
                "tágulási térfogat 0.";
        }
    }
    // 2. Water seal.
    c.waterSeal = usable(std::max(kWaterSealShare * va, kWaterSealLeast));
    // 3. Final pressure below the valve.
    if (c.valvePressure > 0) {
        c.finalPressure = c.valvePressure <= kLowValveLimit ? c.valvePressure - kLowValveMargin
                                                            : kHighValveShare * c.valvePressure;
    }
    const bool margin = c.finalPressure && *c.finalPressure > p0;
    // 4. Smallest nominal volume.
    if (c.expansionVolume && c.waterSeal && margin) {
        const double pe = *c.finalPressure;
        c.minVesselVolume =
            usable((*c.expansionVolume + *c.waterSeal + vk + vp) * (pe + 1) / (pe - p0));
    }
    // 5. Fill-pressure window of the chosen vessel.
    const bool gas = p0 + 1 > 0;
    if (c.waterSeal && vn > *c.waterSeal && gas) {
        c.minFillPressure = usable((p0 + 1) * vn / (vn - *c.waterSeal) - 1);
    }
    if (c.expansionVolume && c.finalPressure && vn > 0 && gas) {
        const double pe = *c.finalPressure;
        const double share = (*c.expansionVolume + vk + vp) * (pe + 1) / (vn * (p0 + 1));
        c.maxFillPressure = usable((pe + 1) / (1 + share) - 1);
    }

    // Static pressure at the vessel from the height, at the cold fluid's density.
    double height = state.StaticHeight.toDouble();
    if (const CurrencyParse h = parseCurrency(heightText); h.status == ParseStatus::Ok) {
        height = h.value.toDouble();
    }
    const double cold = state.ColdTemperature.toDouble();
    const double v = specificVolume(state, cold);
    const double density = v > 0 ? 1 / v : 0;
    if (density > 0) c.staticPressure = usable(density * kGravity * height / kPascalPerBar);

    // The figures with their units, or the sentence in place of one.
    const auto figure = [&](const char* caption, const std::optional<double>& value,
                            const char* unit, const std::string& why) {
        if (value) {
            c.figures.push_back({caption, value, t(*value), unit});
        } else {
            c.figures.push_back({caption, std::nullopt, why, {}});
        }
    };
    figure("Tágulási térfogat (V_e = e · V_A)", c.expansionVolume, "liter", kOutOfRange);
    figure("Vízzár (V_WR)", c.waterSeal, "liter", kOutOfRange);
    figure("Megengedett végnyomás (p_e)", c.finalPressure, "bar",
           "A biztonsági szelep nyitónyomása nincs megadva.");
    const std::string noMargin = c.finalPressure ? "Nem számítható: az előnyomás (" + t(p0) +
                                                       " bar) nem kisebb a végnyomásnál (" +
                                                       t(*c.finalPressure) + " bar)."
                                                 : std::string("Nem számítható végnyomás nélkül.");
    figure("Legkisebb névleges térfogat (V_n,min)", c.minVesselVolume, "liter",
           margin ? std::string(kOutOfRange) : noMargin);
    figure("Legkisebb feltöltési nyomás (p_a,min)", c.minFillPressure, "bar",
           c.waterSeal && vn <= *c.waterSeal
               ? "Nem számítható: a tartály (" + std::to_string(c.vesselVolume) +
                     " liter) nem nagyobb a vízzárnál."
               : std::string(kOutOfRange));
    figure("Legnagyobb feltöltési nyomás (p_a,max)", c.maxFillPressure, "bar", kOutOfRange);

    // Verdicts.
    const std::string vessel = std::to_string(c.vesselVolume) + " literes";
    if (!margin) {
        c.verdicts.push_back(
            c.finalPressure
                ? "A tartály így nem működhet: az előnyomás (" + t(p0) +
                      " bar) nem kisebb a megengedett végnyomásnál (" + t(*c.finalPressure) +
                      " bar). Csökkentse az előnyomást, vagy válasszon nagyobb nyitónyomású "
                      "biztonsági szelepet."
                : std::string("A tartály nem ellenőrizhető: a biztonsági szelep nyitónyomása "
                              "nincs megadva."));
    } else {
        c.verdicts.push_back("Az előnyomás (" + t(p0) +
                             " bar) kisebb a megengedett végnyomásnál (" + t(*c.finalPressure) +
                             " bar).");
    }
    if (c.minVesselVolume) {
        const double need = *c.minVesselVolume;
        c.vesselLargeEnough = vn >= need;
        for (int i = 0; i < vesselCount(); ++i) {
            const std::optional<std::int16_t> size = vesselVolumeAt(i);
            if (size && *size >= need) {
                c.smallestListVessel = *size;
                break;
            }
        }
        if (*c.vesselLargeEnough) {
            c.verdicts.push_back("A választott " + vessel +
                                 " tartály elég nagy: a szükséges legkisebb névleges térfogat " +
                                 t(need) + " liter.");
        } else if (c.smallestListVessel) {
            c.verdicts.push_back("A választott " + vessel + " tartály kicsi: legalább " + t(need) +
                                 " liter kell. A lista legkisebb megfelelő tartálya: " +
                                 std::to_string(*c.smallestListVessel) + " liter.");
        } else {
            c.verdicts.push_back("A választott " + vessel + " tartály kicsi: legalább " + t(need) +
                                 " liter kell, és a lista egyik tartálya sem ekkora.");
        }
    }
    const std::string fill = "A feltöltési nyomás (" + t(c.fillPressure) + " bar)";
    if (c.minFillPressure && c.maxFillPressure) {
        const double low = *c.minFillPressure;
        const double high = *c.maxFillPressure;
        if (low > high) {
            c.fillPressureFits = false;
            c.verdicts.push_back("A választott " + vessel +
                                 " tartállyal nincs megfelelő feltöltési nyomás: a vízzárhoz "
                                 "legalább " +
                                 t(low) + " bar kell, a végnyomás megtartásához legfeljebb " +
                                 t(high) + " bar lehet.");
        } else if (c.fillPressure < low) {
            c.fillPressureFits = false;
            c.verdicts.push_back(fill + " túl alacsony: a vízzár megtartásához legalább " + t(low) +
                                 " bar kell (legfeljebb " + t(high) + " bar lehet).");
        } else if (c.fillPressure > high) {
            c.fillPressureFits = false;
            c.verdicts.push_back(fill + " túl magas: legfeljebb " + t(high) +
                                 " bar lehet, különben a nyomás melegen túllépi a végnyomást "
                                 "(legalább " +
                                 t(low) + " bar kell).");
        } else {
            c.fillPressureFits = true;
            c.verdicts.push_back(fill + " megfelelő: " + t(low) + " és " + t(high) +
                                 " bar között van.");
        }
    } else {
        c.verdicts.push_back(fill + " nem ellenőrizhető: a megengedett tartomány nem számítható.");
    }
    if (c.staticPressure) {
        c.verdicts.push_back("A szintkülönbség (" + t(height) +
                             " m) statikus nyomása a tartálynál " + t(*c.staticPressure) +
                             " bar (a folyadék sűrűsége a hideg "
                             "hőmérsékleten " +
                             t(density) + " kg/m³); a tartály előnyomása " + t(p0) + " bar.");
    } else {
        c.verdicts.push_back(
            "A szintkülönbség statikus nyomása nem számítható: nincs kiválasztott folyadék.");
    }
    if (!shrinkNote.empty()) c.verdicts.push_back(shrinkNote);

    // Side by side.
    c.ownMinimumText = resultText(state.MinVesselVolume, separator);
    c.standardMinimumText = c.minVesselVolume ? t(*c.minVesselVolume) : std::string("–");
    c.differenceNote =
        "A program saját minimuma a feltöltési és a maximális nyomás közötti gáztörvényből "
        "adódik; a szabvány szerinti érték az előnyomástól a szelep alatti végnyomásig (" +
        (c.finalPressure ? t(*c.finalPressure) + " bar" : std::string("–")) + ") számol, és a " +
        t(c.waterSeal.value_or(0)) + " literes vízzárat, valamint a csővezeték " + t(vp) +
        " liter gőztérfogatát is hozzáadja.";
    return c;
}

StandardCheck checkVessel(const MainState& state, const Job& job, char separator) {
    return checkVessel(state, job.evaporation, job.field(MainField::Text7), checkInputsOf(job),
                       separator);
}

}  // namespace expans
