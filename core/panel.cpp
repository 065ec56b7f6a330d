#include "panel.h"

#include <cmath>
#include <limits>

#include "numtext.h"
#include "units.h"

namespace expans {

namespace {

// A double outside the range of float has no single-precision value; converting it is undefined.
float toSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        throw ArithmeticFault("coordinate outside single precision");
    }
    return static_cast<float>(value);
}

}  // namespace

Segment needleLine(Currency pressureAbs) {
    // 0.785 rad per bar from -2.3562 rad at 0 bar gauge, clockwise from straight up; the dial's
    // own constants, deliberately not pi/4 and 3pi/4.
    const double theta = 0.785 * (pressureAbs - kGaugeToAbsolute).toDouble() - 2.3562;
    Segment line;
    line.x1 = kNeedlePivot;
    line.y1 = kNeedlePivot;
    line.x2 = toSingle(kNeedlePivot + kNeedleLength * std::sin(theta));
    line.y2 = toSingle(kNeedlePivot - kNeedleLength * std::cos(theta));
    return line;
}

BarGeometry gasBar(double gasShare) {
    const double s = gasShare * 1856025 / 1095;
    BarGeometry bar;
    bar.height = toSingle(0.8 * s);
    bar.top = toSingle(kGasBarBottom - 0.8 * s);
    return bar;
}

std::string degreesText(std::int64_t celsius) {
    return intText(celsius) + "°C";
}

std::string gaugePressureText(Currency pressureAbs, char separator) {
    const auto hundredths = static_cast<double>((pressureAbs * 100).floor());
    return doubleText(hundredths / 100 - kGaugeToAbsoluteBar, separator);
}

std::string boilingPointText(Currency boilingPoint, char separator) {
    return resultText(boilingPoint, separator) + "°C";
}

std::string vapourShareText(double fraction) {
    const double percent = std::floor(100 * fraction);
    if (!std::isfinite(percent) || std::fabs(percent) > 1e15) {
        throw ArithmeticFault("vapour share outside range");
    }
    return intText(static_cast<std::int64_t>(percent)) + " %";
}

}  // namespace expans
