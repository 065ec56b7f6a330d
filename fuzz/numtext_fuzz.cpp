// Number texts with both separators and the fixed-point arithmetic behind them.
// Properties: the numeric test agrees with both parsers; a number reads alike with either
// separator and with surrounding blanks; a Currency text reads back to the same value; the
// display texts are numbers again; sums and products agree with a 128-bit reference or report
// the range error, never wrap.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "currency.h"
#include "fuzz_check.h"
#include "numtext.h"

using namespace expans;

namespace {

__extension__ typedef __int128 Wide;

constexpr std::int64_t kPlainResultTicks = 1'000'000'000'000 * Currency::kScale;

std::string swapSeparators(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == ',') {
            c = '.';
        } else if (c == '.') {
            c = ',';
        }
    }
    return out;
}

std::string ticksNote(std::int64_t a, std::int64_t b) {
    return std::to_string(a) + " " + std::to_string(b);
}

// a × b / 10^4 rounded half to even, or nothing when it leaves the 64-bit range.
bool referenceProduct(std::int64_t a, std::int64_t b, std::int64_t& out) {
    const Wide exact = Wide{a} * b;
    Wide floorQuotient = exact / 10000;
    Wide rest = exact % 10000;
    if (rest < 0) {
        floorQuotient -= 1;
        rest += 10000;
    }
    if (rest > 5000 || (rest == 5000 && (floorQuotient % 2) != 0)) floorQuotient += 1;
    if (floorQuotient > std::numeric_limits<std::int64_t>::max() ||
        floorQuotient < std::numeric_limits<std::int64_t>::min())
        return false;
    out = static_cast<std::int64_t>(floorQuotient);
    return true;
}

template <typename Op>
void checkOperation(const char* name, Op op, Wide expected, bool inRange, std::int64_t a,
                    std::int64_t b) {
    try {
        const Currency got = op();
        FUZZ_CHECK(inRange && Wide{got.ticks()} == expected, name + (" " + ticksNote(a, b)));
    } catch (const ArithmeticFault&) {
        FUZZ_CHECK(!inRange, name + (" reported out of range: " + ticksNote(a, b)));
    }
}

bool fits(Wide value) {
    return value >= std::numeric_limits<std::int64_t>::min() &&
           value <= std::numeric_limits<std::int64_t>::max();
}

void checkArithmetic(std::int64_t a, std::int64_t b) {
    const Currency x = Currency::fromTicks(a);
    const Currency y = Currency::fromTicks(b);
    checkOperation(
        "sum", [&] { return x + y; }, Wide{a} + b, fits(Wide{a} + b), a, b);
    checkOperation(
        "difference", [&] { return x - y; }, Wide{a} - b, fits(Wide{a} - b), a, b);
    checkOperation(
        "negation", [&] { return -x; }, -Wide{a}, fits(-Wide{a}), a, b);
    checkOperation(
        "whole multiple", [&] { return x * (b % 100000); }, Wide{a} * (b % 100000),
        fits(Wide{a} * (b % 100000)), a, b);
    std::int64_t product = 0;
    const bool productFits = referenceProduct(a, b, product);
    checkOperation(
        "product", [&] { return x * y; }, product, productFits, a, b);

    // Texts of any stored value read back exactly, with either separator.
    for (const char separator : {',', '.'}) {
        const std::string text = currencyText(x, separator);
        const CurrencyParse back = parseCurrency(text);
        FUZZ_CHECK(back.status == ParseStatus::Ok && back.value == x, text);
        // Results are cut to two decimals; past 15 digits they take an exponent.
        if (a > -kPlainResultTicks && a < kPlainResultTicks) {
            const CurrencyParse shown = parseCurrency(resultText(x, separator));
            FUZZ_CHECK(shown.status == ParseStatus::Ok && shown.value <= x &&
                           x.ticks() - shown.value.ticks() < 100,
                       resultText(x, separator));
        }
    }
    const auto tenths = static_cast<std::int32_t>(a);
    const CurrencyParse tenthsBack = parseCurrency(tenthsText(tenths, ','));
    FUZZ_CHECK(tenthsBack.status == ParseStatus::Ok &&
                   tenthsBack.value.ticks() == std::int64_t{tenths} * 1000,
               tenthsText(tenths, ','));
}

void checkText(std::string_view text) {
    const bool numeric = isNumeric(text);
    const std::optional<double> number = parseDouble(text);
    const CurrencyParse parsed = parseCurrency(text);
    FUZZ_CHECK(numeric == number.has_value(), std::string(text));
    FUZZ_CHECK(numeric == (parsed.status != ParseStatus::NotNumeric), std::string(text));
    if (!numeric) return;
    FUZZ_CHECK(!std::isnan(*number), std::string(text));

    // Either separator and surrounding blanks read alike.
    const std::string swapped = swapSeparators(text);
    const std::string padded = " \t" + std::string(text) + "  ";
    for (const std::string& variant : {swapped, padded}) {
        FUZZ_CHECK(parseDouble(variant) == number, variant);
        const CurrencyParse again = parseCurrency(variant);
        FUZZ_CHECK(again.status == parsed.status && again.value == parsed.value, variant);
    }

    if (parsed.status == ParseStatus::Ok) {
        // The decimal digits rounded to four places lie within half a tick of the double.
        const double fromTicks = parsed.value.toDouble();
        FUZZ_CHECK(std::fabs(fromTicks - *number) <= 0.00005 + std::fabs(*number) * 1e-15,
                   std::string(text));
        for (const char separator : {',', '.'}) {
            const std::string shown = currencyText(parsed.value, separator);
            const CurrencyParse back = parseCurrency(shown);
            FUZZ_CHECK(back.status == ParseStatus::Ok && back.value == parsed.value, shown);
        }
    } else {
        FUZZ_CHECK(std::fabs(*number) >= 9.2e14, std::string(text));
    }
    if (const std::optional<Currency> rounded = Currency::tryFromDouble(*number)) {
        FUZZ_CHECK(std::fabs(rounded->toDouble() - *number) <= 0.00005 + std::fabs(*number) * 1e-15,
                   std::string(text));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkText(text);
    if (size >= 16) {
        std::int64_t a = 0;
        std::int64_t b = 0;
        std::memcpy(&a, data, sizeof a);
        std::memcpy(&b, data + 8, sizeof b);
        checkArithmetic(a, b);
    }
    return 0;
}
