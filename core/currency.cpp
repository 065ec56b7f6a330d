#include "currency.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace expans {

namespace {

__extension__ typedef __int128 Wide;

constexpr std::int64_t kMaxTicks = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinTicks = std::numeric_limits<std::int64_t>::min();

Currency checkedTicks(Wide ticks) {
    if (ticks > kMaxTicks || ticks < kMinTicks) {
        throw ArithmeticFault("figure outside the fixed-point range");
    }
    return Currency::fromTicks(static_cast<std::int64_t>(ticks));
}

// n / 2^shift for n >= 0, rounded to nearest, ties to even.
Wide shiftRoundEven(Wide n, int shift) {
    if (shift == 0) return n;
    if (shift >= 100) return 0;  // n < 2^68 here, so the quotient is far below one half
    const Wide quotient = n >> shift;
    const Wide remainder = n - (quotient << shift);
    const Wide half = Wide{1} << (shift - 1);
    if (remainder > half || (remainder == half && (quotient & 1) != 0)) return quotient + 1;
    return quotient;
}

// n / divisor (divisor > 0), rounded to nearest, ties to even.
Wide divideRoundEven(Wide n, std::int64_t divisor) {
    Wide quotient = n / divisor;
    Wide remainder = n % divisor;
    if (remainder < 0) remainder = -remainder;
    const Wide twice = remainder * 2;
    if (twice > divisor || (twice == divisor && (quotient & 1) != 0)) {
        quotient += n < 0 ? -1 : 1;
    }
    return quotient;
}

}  // namespace

Currency Currency::fromInt(std::int64_t value) {
    return checkedTicks(Wide{value} * kScale);
}

std::optional<Currency> Currency::tryFromDouble(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    if (value == 0) return Currency{};
    // |value| = mantissa · 2^exponent exactly, with a 53-bit integer mantissa.
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    const int exponent = binaryExponent - 53;
    // A mantissa of at least 2^52 scaled by 10^4 and not shifted right exceeds 2^63.
    if (exponent >= 0) return std::nullopt;
    Wide ticks = shiftRoundEven(Wide{mantissa} * kScale, -exponent);
    if (value < 0) ticks = -ticks;
    if (ticks > kMaxTicks || ticks < kMinTicks) return std::nullopt;
    return fromTicks(static_cast<std::int64_t>(ticks));
}

Currency Currency::fromDouble(double value) {
    if (const auto result = tryFromDouble(value)) return *result;
    throw ArithmeticFault("number cannot be held as a fixed-point figure");
}

std::int64_t Currency::floor() const {
    std::int64_t whole = m_ticks / kScale;
    if (m_ticks % kScale != 0 && m_ticks < 0) --whole;
    return whole;
}

Currency Currency::operator-() const {
    return checkedTicks(-Wide{m_ticks});
}

Currency operator+(Currency a, Currency b) {
    return checkedTicks(Wide{a.m_ticks} + b.m_ticks);
}

Currency operator-(Currency a, Currency b) {
    return checkedTicks(Wide{a.m_ticks} - b.m_ticks);
}

Currency operator*(Currency a, Currency b) {
    return checkedTicks(divideRoundEven(Wide{a.m_ticks} * b.m_ticks, Currency::kScale));
}

Currency operator*(Currency a, std::int64_t n) {
    return checkedTicks(Wide{a.m_ticks} * n);
}

}  // namespace expans
