#pragma once

// The operating-state panel's model: the two temperature sliders of the main window, the pressure,
// gas cushion, boiling state and safety valve they lead to, and the panel's display values.
// The window hands in the stored values, the slider position and the collector-volume text, and
// applies the returned state and display in the order the fields are listed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "currency.h"
#include "panel.h"
#include "state.h"

namespace expans {

// The collector-temperature slider follows the mean-temperature slider this far above it (°C).
inline constexpr int kCollectorAboveMean = 10;

struct MeanSliderStep {
    int collectorTemperature = 0;     // HScroll2, kCollectorAboveMean above the mean
    std::string meanTemperatureText;  // Label11, "60°C"
};

// Mean-temperature slider moved to hscroll1Value: stores MeanTemperature and
// CollectorTemperature (T1 + kCollectorAboveMean). The window then sets the collector slider, which
// recomputes when its value changes, writes Label11 and recomputes once more.
MeanSliderStep meanSlider(MainState& state, int hscroll1Value);

// Unclassified: the collector temperature equals one of the two bracketing boiling points; the
// vapour labels keep their visibility then.
enum class BoilingState { None, Partial, Full, Unclassified };

struct Boiling {
    BoilingState state = BoilingState::None;
    double fraction = 0;  // f, the share of the collectors' content turned to vapour, 0 … 1
};

// Classifies the collector temperature t2 against the boiling points of the no-vapour (tbl) and
// all-vapour (tbv) cases. With the valve limit the vapour is capped at vvMax liters of the
// collector volume vc; a cap below zero or an empty collector leaves no vapour.
Boiling classifyBoiling(double t2, double tbl, double tbv, bool valveLimited, double vvMax,
                        double vc);

// Label39 and Label40: shown while vapour forms, hidden without; empty when unclassified.
std::optional<bool> vapourLabelsVisible(BoilingState state);

// Boiling point (°C) of the fluid at absolute pressure P (bar) with k percent concentrate.
// Pressures below 0 bar absolute count as 0.
double boilingPoint(double pressureAbs, double concentratePercent);

struct PanelDisplay {
    std::string collectorTemperatureText;     // Label34, "70°C"
    std::optional<bool> vapourLabelsVisible;  // Label39 and Label40; empty: leave as they are
    std::string vapourShareText;              // Label40, "0 %"
    bool closedValveVisible = true;           // Picture5; hidden while the valve blows off
    std::string gaugePressureText;            // Text10, "4,04"
    BarGeometry gasBar;                       // Shape2: set Height, then Top
    Segment needle;                           // Line4: set X1, Y1, X2, Y2
    std::string boilingPointText;             // Label26, at the collectors, "162,94°C"
};

struct OperatingOutcome {
    // False when a figure or result left the representable range: the window shows the message,
    // keeps its stored values and applies nothing of the display but collectorTemperatureText.
    bool ok = true;
    std::string message;

    MainState state;  // every value of the recomputation stored; the inputs unchanged otherwise
    BoilingState boiling = BoilingState::None;
    double vapourFraction = 0;  // f, within 0 … 1
    bool valveLimited = false;  // the all-vapour case alone would exceed the maximum pressure
    bool valveBlowsOff = false;
    PanelDisplay display;
};

// Recomputation for the collector-temperature slider at hscroll2Value. text11 is the
// collector-volume box: a text that is not a number keeps the stored CollectorVolume, a negative
// figure is drawn but not stored (the sizing rejects it), a number beyond the range is an error
// outcome.
OperatingOutcome recompute(const MainState& state, int hscroll2Value, std::string_view text11,
                           char separator);

}  // namespace expans
