#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace expans {

// Raised inside the core when a figure leaves the representable range or a double is NaN or
// infinite. The public calculation functions catch it and hand back an error outcome instead.
class ArithmeticFault : public std::range_error {
public:
    using std::range_error::range_error;
};

// Fixed-point number with four decimals: a signed 64-bit count of ten-thousandths.
// Sums are exact, products are rounded back to four decimals (ties to even), and every
// operation that would leave the range throws ArithmeticFault instead of wrapping.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromTicks(std::int64_t ticks) {
        Currency c;
        c.m_ticks = ticks;
        return c;
    }
    // Whole numbers are exact; throws when |value| exceeds the range.
    static Currency fromInt(std::int64_t value);
    // The double's exact binary value rounded to the nearest 0.0001, ties to even.
    // Empty for NaN, infinity and values outside the range.
    static std::optional<Currency> tryFromDouble(double value);
    // As tryFromDouble, but throws ArithmeticFault.
    static Currency fromDouble(double value);

    constexpr std::int64_t ticks() const { return m_ticks; }
    double toDouble() const { return static_cast<double>(m_ticks) / kScale; }
    // Int(): the largest whole number not above the value.
    std::int64_t floor() const;

    friend constexpr auto operator<=>(Currency, Currency) = default;

    Currency operator-() const;
    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    friend Currency operator*(Currency a, Currency b);  // rounded to four decimals, ties to even
    friend Currency operator*(Currency a, std::int64_t n);  // exact
    friend Currency operator*(std::int64_t n, Currency a) { return a * n; }

private:
    std::int64_t m_ticks = 0;
};

// Shorthand used by the formulas: Cy(x).
inline Currency cy(double value) {
    return Currency::fromDouble(value);
}

}  // namespace expans
