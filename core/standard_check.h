#pragma once

// The vessel checked by the method of MSZ EN 12828, beside the program's own sizing: the
// expansion volume, a water seal, the collectors' and the pipes' steam content, and a final
// pressure below the safety valve's opening pressure. From the stored values of the last sizing and
// the check's two own inputs; it changes nothing. All pressures are gauge bar, volumes liter.
// A figure that cannot be computed (no margin between the pre-pressure and the final pressure,
// a vessel no larger than its water seal, a result out of range) is left empty and its text is a
// sentence saying why: no figure is ever NaN, infinite or a negative volume.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "currency.h"
#include "state.h"

namespace expans {

struct Job;

// The check's inputs beside the stored values.
struct CheckInputs {
    Currency steamPipeVolume;               // V_P, liter: pipe content steam can reach, >= 0
    std::optional<Currency> valvePressure;  // p_SV, bar: empty follows the maximum system pressure
};

inline constexpr const char* kStartSteamPipeVolumeText = "0";
inline constexpr const char* kNegativeSteamPipeVolumeMessage =
    "A csővezeték gőzzel elérhető térfogata nem lehet negatív";
inline constexpr const char* kValvePressureRangeMessage =
    "A biztonsági szelep nyitónyomása 0 bar fölött, legfeljebb 10 bar lehet";

// A typed input as the dialog checks it: the message to show, or the accepted value.
struct CheckInputRead {
    std::optional<std::string> message;
    Currency value;
};
CheckInputRead readSteamPipeVolume(std::string_view text);
CheckInputRead readValvePressure(std::string_view text);

// The inputs a job keeps: V_P as typed, p_SV as typed or empty (not set). A text that does not
// pass its check counts as its default.
CheckInputs checkInputsOf(const Job& job);
// Why the job's two texts could not have been typed into the dialog; empty when they could.
std::optional<std::string> checkInputFault(const Job& job);

struct CheckFigure {
    std::string caption;          // "Tágulási térfogat (V_e)"
    std::optional<double> value;  // empty: not computable
    std::string text;             // the value as the main window shows results, or the sentence
    std::string unit;             // "liter", "bar"; empty with a sentence
};

struct StandardCheck {
    // The inputs as used (p_SV after the default applied).
    double systemVolume = 0;          // V_A
    double expansionCoefficient = 0;  // e
    double collectorVolume = 0;       // V_K
    double steamPipeVolume = 0;       // V_P
    double valvePressure = 0;         // p_SV
    bool valveFollowsMaximum = true;
    double prePressure = 0;   // p_0
    double fillPressure = 0;  // p_a
    int vesselVolume = 0;     // V_n

    std::optional<double> expansionVolume;  // V_e
    std::optional<double> waterSeal;        // V_WR
    std::optional<double> finalPressure;    // p_e
    std::optional<double> minVesselVolume;  // V_n,min
    std::optional<double> minFillPressure;  // p_a,min
    std::optional<double> maxFillPressure;  // p_a,max
    std::optional<bool> vesselLargeEnough;
    std::optional<bool> fillPressureFits;
    std::optional<int> smallestListVessel;  // liter; empty when no list entry is large enough
    std::optional<double> staticPressure;   // bar, from the height at the cold density

    std::vector<CheckFigure> figures;   // steps 1-5 in order
    std::vector<std::string> verdicts;  // the sentences, in order
    // Side by side: the program's own minimum and the standard's, and the difference in a line.
    std::string ownMinimumText;
    std::string standardMinimumText;
    std::string differenceNote;
};

// heightText is Text7 as it stands (the static height); when it is not a number the stored
// StaticHeight counts. `separator` is the decimal separator of the texts.
StandardCheck checkVessel(const MainState& state, bool evaporation, std::string_view heightText,
                          const CheckInputs& inputs, char separator);
// The same for a job: its evaporation switch, its Text7 and the check's inputs it keeps.
StandardCheck checkVessel(const MainState& state, const Job& job, char separator);

}  // namespace expans
