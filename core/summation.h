#pragma once

// The system-volume window's calculation (Command1_Click), run from every Change of its boxes,
// and the two texts its return command hands to the main window.

#include <optional>
#include <string>

#include "catalogue.h"
#include "state.h"

namespace expans {

// Checks the editable boxes in their fixed order (a failed check shows its message and writes
// the box's reset value through the port, which runs a nested calculate), then any other box
// that does not hold a storable number (shown, then reset to 0), then re-reads all sixteen boxes,
// sums and writes the five labels. A figure beyond the Currency range fails its check with
// kOutOfRangeMessage, and a positive figure that would count as 0 (0,00004) fails its rule.
// When a sum cannot be formed (a result beyond the Currency range, or beyond the 32-bit tenths
// counter) kOutOfRangeMessage is shown, once per change, and the lists and boxes go back to what
// the last complete run counted; those writes run no calculation of their own, so a restore
// never starts another. Returns false when a sum could not be formed even so: the stored values
// and labels then keep the last valid run, and nothing should be handed back until a later run
// succeeds.
bool calculate(VolumeState& state, VolumePort& port, char separator);

struct HandBack {
    std::string systemVolumeText;     // for the main window's Text1, same as Label14
    std::string collectorVolumeText;  // for the main window's Text11
};

// The return command's texts, from the last calculation.
HandBack handBack(const VolumeState& state, char separator);

// The text of one of the five total labels, from the stored values of the last calculation.
std::string volumeLabelText(const VolumeState& state, VolumeLabel label, char separator);

// Label14's text: the tenths counter shown in single precision, 183 -> "18,3".
std::string systemVolumeText(const VolumeState& state, char separator);

}  // namespace expans
