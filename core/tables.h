#pragma once

// The main window's fixed tables: the seven heat-transfer fluids of Combo1, the sixteen standard
// vessels of the list Tagtartaly, and the stored values the window starts from.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "currency.h"
#include "state.h"

namespace expans {

// Specific volume v(T) = a + b·T + c·T², T in °C, v in m³/kg.
struct Fluid {
    Currency glycolFraction;  // 0 … 0.6
    double a = 0;             // m³/kg
    double b = 0;             // m³/(kg·°C)
    double c = 0;             // m³/(kg·°C²)
};

inline constexpr int kStartFluidIndex = 4;   // "Propilén-glikol 40%"
inline constexpr int kStartVesselIndex = 3;  // "25 liter"

// Entries of Combo1, in list order.
const std::vector<std::string>& fluidNames();
// Empty for an index outside the list (-1: nothing selected).
std::optional<Fluid> fluidAt(int index);
// Combo1_Click step 1: copies the fluid's fraction and coefficients into the state; returns false
// and leaves the state alone for an index outside the list.
bool applyFluid(MainState& state, int index);

// Entries of the list Tagtartaly, in list order.
const std::vector<std::string>& vesselNames();
// Nominal volume in liter of the entry; every entry computes with the volume its caption names.
std::optional<std::int16_t> vesselVolumeAt(int index);
// Sets SelectedVesselVolume; returns false and leaves the state alone for an index outside the
// list.
bool applyVessel(MainState& state, int index);

// The stored values Form_Load sets before anything else runs (volume 18.3 l, pressures 3.5 / 4 /
// 6 bar gauge, 20 … 140 °C, the 25-liter vessel); everything else zero.
MainState startState();

}  // namespace expans
