#pragma once

// Conversions between the texts the user types or sees and numbers. The decimal separator that
// texts are written with is a parameter (the user's locale gives it); parsing accepts both ','
// and '.', one separator at most, an optional leading sign and surrounding blanks, and no
// thousands separators or exponents. An empty text is not a number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "currency.h"

namespace expans {

// The two messages every check of both windows may show.
inline constexpr const char* kNotANumberMessage = "Adjon meg számot!";
// A figure, or a result computed from it, that no stored value can hold.
inline constexpr const char* kOutOfRangeMessage =
    "A megadott érték túl nagy, ezzel nem lehet számolni!";

enum class ParseStatus { Ok, NotNumeric, OutOfRange };

struct CurrencyParse {
    ParseStatus status = ParseStatus::NotNumeric;
    Currency value;
};

bool isNumeric(std::string_view text);

// Text to double (correctly rounded). Empty when the text is not numeric.
std::optional<double> parseDouble(std::string_view text);

// Text straight to Currency: the decimal digits themselves are rounded to four places, ties to
// even (no detour through a double).
CurrencyParse parseCurrency(std::string_view text);

// Shortest decimal form, no trailing zeros: 3.5 -> "3,5", 6 -> "6".
std::string currencyText(Currency value, char separator);

// Up to 15 significant digits, no trailing zeros, leading zero before the separator.
std::string doubleText(double value, char separator);

// Results of the main window: Int(100 * x) / 100 shown as a double, i.e. cut toward minus
// infinity to two decimals (22.0586 -> "22,05", -0.505 -> "-0,51").
std::string resultText(Currency value, char separator);

// Plain decimal digits with a leading minus when negative.
std::string intText(std::int64_t value);

// A count of tenths as a number with at most one decimal (183 -> "18,3", 250 -> "25"): the
// single-precision text float(tenths) / 10 where that is exact, and exact beyond it.
std::string tenthsText(std::int32_t tenths, char separator);

}  // namespace expans
