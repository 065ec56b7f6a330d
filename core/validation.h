#pragma once

// Checks of the main window's input fields (Text1 on every change and on leaving it, Text2 …
// Text7 on leaving them). Each takes the stored values and the field's text and returns what the
// window applies: the message boxes in order, the text to write back, the new stored values.
// Pressures are typed as gauge bar and stored absolute (+1 bar). The checks keep the stored
// values consistent: PrePressureAbs < FillPressureAbs < MaxPressureAbs, comparing the pressures
// as they will be stored (four decimals), and ColdTemperature <= MaxMeanTemperature.
// A figure that no stored value can hold shows kOutOfRangeMessage and restores the last value.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state.h"

namespace expans {

struct FieldCheck {
    std::vector<std::string> messages;  // in the order the boxes are shown
    // Text the field must show afterwards; empty when its text stays as typed. For Text1 the
    // window writes it, which raises Text1_Change again; that nested check accepts it.
    std::optional<std::string> restoreText;
    MainState state;  // stored values afterwards
};

FieldCheck checkText1(const MainState& state, std::string_view text, char separator);
FieldCheck checkText2(const MainState& state, std::string_view text, char separator);
FieldCheck checkText3(const MainState& state, std::string_view text, char separator);
FieldCheck checkText4(const MainState& state, std::string_view text, char separator);
FieldCheck checkText5(const MainState& state, std::string_view text, char separator);
FieldCheck checkText6(const MainState& state, std::string_view text, char separator);
// Also recomputes MaxStaticHeight from the fill pressure; StaticHeight itself is read by the next
// sizing run.
FieldCheck checkText7(const MainState& state, std::string_view text, char separator);

}  // namespace expans
