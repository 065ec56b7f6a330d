#pragma once

// Drives the main window's stored values the way its fields do: a field chosen by the input gets
// a text chosen by the input, the check's outcome is applied as the window applies it (a Text1
// restore is written back and checked again), and the state's invariants are checked after
// every step.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_check.h"
#include "numtext.h"
#include "state.h"
#include "validation.h"

namespace expans::fuzz {

using Checker = FieldCheck (*)(const MainState&, std::string_view, char);
inline constexpr Checker kCheckers[] = {checkText1, checkText2, checkText3, checkText4,
                                        checkText5, checkText6, checkText7};

inline std::string describe(int field, const std::string& text, char separator) {
    return "Text" + std::to_string(field + 1) + " '" + text + "' separator '" + separator + "'";
}

// Pressures ordered within 1 … 7 bar absolute, cold not above the mean temperature.
inline void checkStoredOrder(const MainState& s, const std::string& note) {
    const Currency one = Currency::fromInt(1);
    FUZZ_CHECK(one <= s.PrePressureAbs, note);
    FUZZ_CHECK(s.PrePressureAbs < s.FillPressureAbs, note);
    FUZZ_CHECK(s.FillPressureAbs < s.MaxPressureAbs, note);
    FUZZ_CHECK(s.MaxPressureAbs <= Currency::fromInt(7), note);
    FUZZ_CHECK(s.ColdTemperature <= s.MaxMeanTemperature, note);
    FUZZ_CHECK(Currency{} <= s.ColdTemperature, note);
}

// The stored value a field writes; Text7 stores only the height limit.
inline Currency MainState::*storedBy(int field) {
    constexpr Currency MainState::*kStored[] = {
        &MainState::SystemVolume,    &MainState::PrePressureAbs,  &MainState::MaxPressureAbs,
        &MainState::FillPressureAbs, &MainState::ColdTemperature, &MainState::MaxMeanTemperature,
        &MainState::MaxStaticHeight};
    return kStored[field];
}

// One field step; returns the state the window holds afterwards.
inline MainState fieldStep(const MainState& before, int field, const std::string& text,
                           char separator) {
    const std::string note = describe(field, text, separator);
    const FieldCheck check = kCheckers[field](before, text, separator);
    FUZZ_CHECK(check.messages.size() <= 1, note);
    FUZZ_CHECK(check.restoreText.has_value() == !check.messages.empty(), note);

    // Only the field's own stored value may change, and only on acceptance (a rejected Text1
    // stores 20, its designed restore; Text7 always recomputes its limit).
    MainState expected = check.state;
    expected.*storedBy(field) = before.*storedBy(field);
    FUZZ_CHECK(expected == before, note + ": another stored value changed");
    if (!check.messages.empty() && field != 0 && field != 6) {
        FUZZ_CHECK(check.state == before, note + ": a rejected entry changed the state");
    }
    if (check.messages.empty() && field != 6) {
        const CurrencyParse parsed = parseCurrency(text);
        FUZZ_CHECK(parsed.status == ParseStatus::Ok, note);
        const bool pressure = field >= 1 && field <= 3;
        const Currency typed = pressure ? cy(*parseDouble(text) + 1) : parsed.value;
        FUZZ_CHECK(check.state.*storedBy(field) == typed, note + ": stored value is not the entry");
    }

    MainState after = check.state;
    if (check.restoreText) {
        // The restored text passes its own check and stores what is stored already. Text7
        // restores the height the last sizing read, which a lowered fill pressure may have put
        // beyond the new limit; there only its being a number is required.
        const FieldCheck again = kCheckers[field](after, *check.restoreText, separator);
        if (field == 6) {
            FUZZ_CHECK(isNumeric(*check.restoreText), note + " restored " + *check.restoreText);
        } else {
            FUZZ_CHECK(again.messages.empty(), note + " restored " + *check.restoreText);
            FUZZ_CHECK(again.state == after, note + " restored " + *check.restoreText);
        }
        if (field == 0) after = again.state;  // the window writes it, Text1_Change stores it
    }
    checkStoredOrder(after, note);
    return after;
}

// A text the way the user enters it: mostly short, from the digits, signs, separators and
// blanks, sometimes any bytes.
inline std::string enteredText(FuzzedDataProvider& input) {
    return input.ConsumeRandomLengthString(40);
}

}  // namespace expans::fuzz
