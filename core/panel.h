#pragma once

// Value functions of the operating-state panel's drawing: the texts, the gas-cushion bar and the
// gauge needle. Geometry is in twips of the control's container and single precision, as the
// controls hold it.

#include <cstdint>
#include <string>

#include "currency.h"

namespace expans {

// The needle's pivot in the gauge dial and its length, in twips.
inline constexpr float kNeedlePivot = 660;
inline constexpr double kNeedleLength = 540;
// Bottom edge of the gas-cushion bar in the panel, in twips.
inline constexpr double kGasBarBottom = 2255;

struct Segment {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
};

struct BarGeometry {
    float height = 0;
    float top = 0;
};

// Gauge needle for the absolute system pressure p (bar): the dial runs from 0 to 6 bar gauge
// over 270 degrees, 0 at the lower left.
Segment needleLine(Currency pressureAbs);

// Gas-cushion bar for g = gas volume / vessel volume (0 < g <= 1); a full vessel of gas gives
// height 1356 and top 899.
BarGeometry gasBar(double gasShare);

// "60°C": the integer text of a slider position.
std::string degreesText(std::int64_t celsius);

// Gauge pressure cut to two decimals: p = 5.0418 gives "4,04", p = 7 gives "6".
std::string gaugePressureText(Currency pressureAbs, char separator);

// Boiling point cut to two decimals with the unit: 162.9474 gives "162,94°C".
std::string boilingPointText(Currency boilingPoint, char separator);

// Vapour share in whole percent, rounded down: 0.545 gives "54 %".
std::string vapourShareText(double fraction);

}  // namespace expans
