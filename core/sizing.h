#pragma once

// The vessel sizing run behind the main window's Command1 (and every selection that recalculates).
// Data in: the stored values, the evaporation option and the texts of Text11 and Text7. Data out:
// the new stored values and everything the window shows; the window applies the outcome in this
// order: messages (one box each), Text11 restore, panel switches, labels; then it runs the slider
// panel as usual.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state.h"

namespace expans {

inline constexpr const char* kNegativeCollectorVolumeMessage =
    "A kollektorok térfogata nem lehet negatív";

struct SizingLabels {
    std::string expansionVolumeText;  // Label29, ExpansionVolume
    std::string hotVolumeText;        // Label28, HotVolume
    std::string minVesselVolumeText;  // Label27, MinVesselVolume
    std::string concentrateText;      // Label16, antifreeze concentrate need
};

struct SizingOutcome {
    MainState state;                    // the stored values after the run
    std::vector<std::string> messages;  // message boxes to show, in order
    // Text Text11 must show when its entry was rejected (the last accepted collector volume).
    std::optional<std::string> collectorVolumeRestoreText;
    // Evaporation case: HScroll2 enabled and Label25, Label34, Label35, Label26 visible (in that
    // order); plain case: all of them off.
    bool evaporationPanel = false;
    // Empty when a figure or result left the Currency range: then `state` equals the input, the
    // last message is kOutOfRangeMessage and the labels keep their texts.
    std::optional<SizingLabels> labels;
};

// One sizing run. `text11` is read only with evaporation; a negative, non-numeric or
// out-of-range entry is reported and replaced by the stored CollectorVolume. `text7` is read only
// with evaporation; when it is not a representable number StaticHeight keeps its value silently
// (Text7's own check reports it). `separator` is the decimal separator of the label texts.
SizingOutcome size(const MainState& state, bool evaporation, std::string_view text11,
                   std::string_view text7, char separator);

// Specific volume of the fluid in m³/kg at t °C, as the sizing evaluates it.
double specificVolume(const MainState& state, double t);

// Relative volume change of the fluid from `cold` to `hot` °C with the state's coefficients.
double expansionCoefficient(const MainState& state, Currency cold, Currency hot);

}  // namespace expans
