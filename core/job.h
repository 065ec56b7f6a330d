#pragma once

// A job: everything a designer keeps of one sizing, as the windows hold it. Texts are kept as
// typed (they go back through the same checks as typing when a job is opened); selections are
// list indices; the sliders are their positions in °C.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "currency.h"

namespace expans {

// The main window's input fields, in the order they are applied when a job is opened.
enum class MainField { Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text11 };
inline constexpr std::size_t kMainFieldCount = 8;
inline constexpr std::size_t kVolumeListCount = 9;
inline constexpr std::size_t kVolumeBoxCount = 16;

// Slider ranges of the operating-state panel, °C.
inline constexpr int kMeanSliderMin = -25;
inline constexpr int kMeanSliderMax = 160;
inline constexpr int kCollectorSliderMin = -25;
inline constexpr int kCollectorSliderMax = 200;

struct Job {
    std::array<std::string, kMainFieldCount> mainFields;  // indexed by MainField
    int fluidIndex = 0;
    bool evaporation = true;
    int vesselIndex = 0;
    int meanTemperature = 0;                               // HScroll1
    int collectorTemperature = 0;                          // HScroll2
    std::array<int, kVolumeListCount> volumeLists{};       // indexed by VolumeList
    std::array<std::string, kVolumeBoxCount> volumeBoxes;  // indexed by VolumeBox
    // m: the height the last sizing read (StaticHeight). The panel keeps computing with it while
    // evaporation is off and Text7 is not read, so it cannot be told from the texts. Empty in
    // files of the first format: then the job's Text7 figure is taken.
    std::optional<Currency> staticHeight;
    // The standard check's own inputs, as typed into its dialog: the pipe content steam can
    // reach (liter) and the safety valve's opening pressure (bar); an empty opening pressure is
    // not set and follows the maximum system pressure. Files before the third format hold
    // neither: then these defaults count.
    std::string steamPipeVolume = "0";
    std::string valvePressure;

    std::string& field(MainField which) { return mainFields[static_cast<std::size_t>(which)]; }
    const std::string& field(MainField which) const {
        return mainFields[static_cast<std::size_t>(which)];
    }

    bool operator==(const Job&) const = default;
};

// How many entries each selection-only list holds: an index outside [0, count) is no choice.
int fluidCount();
int vesselCount();
int volumeListCount(std::size_t list);  // list as VolumeList's underlying value

// The rules the windows keep that no check of a typed figure covers: a box that its list's entry
// disables holds the figure that entry writes there ("18 x 1" puts 0,201 into its per-metre box).
// Empty when the job keeps them; otherwise one sentence naming the first key that breaks one.
// The list indices must be in range (the reader checks them first).
std::optional<std::string> ruleFault(const Job& job);

}  // namespace expans
