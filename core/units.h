#pragma once

// The physical constants and unit conversions the formulas share.

#include "currency.h"

namespace expans {

inline constexpr double kGravity = 9.81;      // m/s²
inline constexpr int kPascalPerBar = 100000;  // Pa in one bar
// The records keep absolute pressures; the fields show gauge pressures, exactly 1 bar less.
inline constexpr Currency kGaugeToAbsolute = Currency::fromTicks(Currency::kScale);
inline constexpr double kGaugeToAbsoluteBar = 1;

}  // namespace expans
