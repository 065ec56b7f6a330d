#include "numtext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace expans {

namespace {

__extension__ typedef __int128 Wide;

// A number as typed: sign, the digits before and after the one decimal separator.
struct DecimalText {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<DecimalText> splitDecimal(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    DecimalText parts;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        parts.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t i = 0;
    while (i < text.size() && isDigit(text[i])) ++i;
    parts.whole = text.substr(0, i);
    if (i < text.size() && (text[i] == ',' || text[i] == '.')) {
        const std::size_t start = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        parts.fraction = text.substr(start, i - start);
    }
    if (i != text.size() || (parts.whole.empty() && parts.fraction.empty())) return std::nullopt;
    return parts;
}

std::string withSeparator(std::string text, char separator) {
    for (char& c : text) {
        if (c == '.') c = separator;
        if (c == 'e') c = 'E';
    }
    return text;
}

}  // namespace

bool isNumeric(std::string_view text) {
    return splitDecimal(text).has_value();
}

std::optional<double> parseDouble(std::string_view text) {
    const auto parts = splitDecimal(text);
    if (!parts) return std::nullopt;
    std::string canonical;
    canonical.reserve(parts->whole.size() + parts->fraction.size() + 3);
    canonical += parts->whole.empty() ? std::string_view("0") : parts->whole;
    canonical += '.';
    canonical += parts->fraction.empty() ? std::string_view("0") : parts->fraction;
    double value = 0;
    const auto [end, error] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // The text has no exponent, so only a whole part with a non-zero digit can overflow; a
        // fraction with hundreds of leading zeros underflows to 0.
        const bool overflow = parts->whole.find_first_not_of('0') != std::string_view::npos;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return parts->negative ? -value : value;
}

CurrencyParse parseCurrency(std::string_view text) {
    const auto parts = splitDecimal(text);
    if (!parts) return {ParseStatus::NotNumeric, {}};
    constexpr Wide kLimit = Wide{1} << 64;  // beyond any tick count, early stop
    Wide ticks = 0;
    for (char c : parts->whole) {
        ticks = ticks * 10 + (c - '0');
        if (ticks * Currency::kScale > kLimit) return {ParseStatus::OutOfRange, {}};
    }
    ticks *= Currency::kScale;
    Wide place = Currency::kScale / 10;
    std::size_t i = 0;
    for (; i < parts->fraction.size() && place > 0; ++i, place /= 10) {
        ticks += (parts->fraction[i] - '0') * place;
    }
    if (i < parts->fraction.size()) {
        const int next = parts->fraction[i] - '0';
        bool beyond = false;
        for (std::size_t j = i + 1; j < parts->fraction.size(); ++j) {
            beyond = beyond || parts->fraction[j] != '0';
        }
        if (next > 5 || (next == 5 && (beyond || (ticks & 1) != 0))) ++ticks;
    }
    if (parts->negative) ticks = -ticks;
    if (ticks > std::numeric_limits<std::int64_t>::max() ||
        ticks < std::numeric_limits<std::int64_t>::min()) {
        return {ParseStatus::OutOfRange, {}};
    }
    return {ParseStatus::Ok, Currency::fromTicks(static_cast<std::int64_t>(ticks))};
}

std::string currencyText(Currency value, char separator) {
    const std::int64_t ticks = value.ticks();
    // Unsigned so that the most negative count has a magnitude too.
    const std::uint64_t magnitude =
        ticks < 0 ? 0 - static_cast<std::uint64_t>(ticks) : static_cast<std::uint64_t>(ticks);
    std::string text = ticks < 0 ? "-" : "";
    text += std::to_string(magnitude / Currency::kScale);
    std::uint64_t fraction = magnitude % Currency::kScale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + Currency::kScale).substr(1);
        while (digits.back() == '0') digits.pop_back();
        text += separator;
        text += digits;
    }
    return text;
}

std::string doubleText(double value, char separator) {
    if (value == 0) return "0";  // also for -0
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return withSeparator(std::string(buffer, result.ptr), separator);
}

std::string resultText(Currency value, char separator) {
    std::int64_t hundredths = value.ticks() / 100;
    if (value.ticks() % 100 != 0 && value.ticks() < 0) --hundredths;
    return doubleText(static_cast<double>(hundredths) / 100, separator);
}

std::string intText(std::int64_t value) {
    return std::to_string(value);
}

std::string tenthsText(std::int32_t tenths, char separator) {
    // Below a million liters this is the text of float(tenths) / 10 with seven significant
    // digits; written as an exact decimal it stays right for larger circuits too, where the
    // single-precision form would drop the tenth or switch to an exponent.
    return currencyText(Currency::fromTicks(std::int64_t{tenths} * (Currency::kScale / 10)),
                        separator);
}

}  // namespace expans
