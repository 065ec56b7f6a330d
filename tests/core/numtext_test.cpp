#include "numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace expans {
namespace {

struct NumericCase {
    std::string name;
    std::string text;
    bool numeric;
    double value;  // when numeric
};

class NumericText : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericText, RecognisesAndParses) {
    const auto& c = GetParam();
    EXPECT_EQ(isNumeric(c.text), c.numeric);
    const auto parsed = parseDouble(c.text);
    ASSERT_EQ(parsed.has_value(), c.numeric);
    if (parsed) {
        EXPECT_DOUBLE_EQ(*parsed, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericText,
    ::testing::Values(
        NumericCase{"Comma", "3,5", true, 3.5}, NumericCase{"Point", "18.3", true, 18.3},
        NumericCase{"Integer", "140", true, 140}, NumericCase{"Negative", "-5", true, -5},
        NumericCase{"PlusSign", "+2,5", true, 2.5}, NumericCase{"Blanks", "  7 ", true, 7},
        NumericCase{"TrailingSeparator", "5,", true, 5},
        NumericCase{"LeadingSeparator", ",25", true, 0.25}, NumericCase{"Empty", "", false, 0},
        NumericCase{"OnlyBlanks", "  ", false, 0}, NumericCase{"LoneMinus", "-", false, 0},
        NumericCase{"LoneSeparator", ",", false, 0}, NumericCase{"Word", "abc", false, 0},
        NumericCase{"TwoSeparators", "1,2,3", false, 0},
        NumericCase{"MixedSeparators", "1.000,5", false, 0},
        NumericCase{"Exponent", "1e3", false, 0}, NumericCase{"InnerBlank", "1 000", false, 0},
        NumericCase{"TrailingLetter", "12a", false, 0},
        NumericCase{"FractionBelowSmallestDouble", "0," + std::string(400, '0') + "1", true, 0},
        NumericCase{"WholeBeyondLargestDouble", "1" + std::string(400, '0'), true,
                    std::numeric_limits<double>::infinity()}),
    [](const auto& info) { return info.param.name; });

struct CurrencyParseCase {
    std::string name;
    std::string text;
    ParseStatus status;
    std::int64_t ticks;
};

class CurrencyFromText : public ::testing::TestWithParam<CurrencyParseCase> {};

TEST_P(CurrencyFromText, RoundsTheDecimalDigitsThemselves) {
    const auto& c = GetParam();
    const CurrencyParse result = parseCurrency(c.text);
    EXPECT_EQ(result.status, c.status);
    if (c.status == ParseStatus::Ok) {
        EXPECT_EQ(result.value.ticks(), c.ticks);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CurrencyFromText,
    ::testing::Values(
        CurrencyParseCase{"Plain", "4,71", ParseStatus::Ok, 47100},
        CurrencyParseCase{"FiveDecimalsUp", "5,99999", ParseStatus::Ok, 60000},
        CurrencyParseCase{"TieToEvenDown", "0,00005", ParseStatus::Ok, 0},
        CurrencyParseCase{"TieToEvenUp", "0,00015", ParseStatus::Ok, 2},
        CurrencyParseCase{"TieBrokenByLaterDigit", "0,000050001", ParseStatus::Ok, 1},
        CurrencyParseCase{"NegativeTie", "-0,00015", ParseStatus::Ok, -2},
        CurrencyParseCase{"Largest", "922337203685477,5807", ParseStatus::Ok, 9223372036854775807},
        CurrencyParseCase{"Smallest", "-922337203685477,5808", ParseStatus::Ok,
                          -9223372036854775807 - 1},
        CurrencyParseCase{"JustTooLarge", "922337203685477,5808", ParseStatus::OutOfRange, 0},
        CurrencyParseCase{"FarTooLarge", "99999999999999999999999", ParseStatus::OutOfRange, 0},
        CurrencyParseCase{"LeadingZeros", "000000000000000000000012", ParseStatus::Ok, 120000},
        CurrencyParseCase{"Word", "abc", ParseStatus::NotNumeric, 0}),
    [](const auto& info) { return info.param.name; });

TEST(NumberText, CurrencyTextIsShortest) {
    EXPECT_EQ(currencyText(cy(3.5), ','), "3,5");
    EXPECT_EQ(currencyText(cy(6), ','), "6");
    EXPECT_EQ(currencyText(cy(0.0097), ','), "0,0097");
    EXPECT_EQ(currencyText(cy(-0.5), ','), "-0,5");
    EXPECT_EQ(currencyText(cy(4.71), '.'), "4.71");
    EXPECT_EQ(currencyText(Currency::fromTicks(-9223372036854775807 - 1), ','),
              "-922337203685477,5808");
}

TEST(NumberText, DoubleTextUsesFifteenSignificantDigits) {
    EXPECT_EQ(doubleText(0.5, ','), "0,5");
    EXPECT_EQ(doubleText(1.5, ','), "1,5");
    EXPECT_EQ(doubleText(-0.0, ','), "0");
    EXPECT_EQ(doubleText(0.1 + 0.2, ','), "0,3");
    EXPECT_EQ(doubleText(1.0 / 3, ','), "0,333333333333333");
    EXPECT_EQ(doubleText(1e15, ','), "1E+15");
    EXPECT_EQ(doubleText(0.000015, ','), "1,5E-05");
    EXPECT_EQ(doubleText(1.256, '.'), "1.256");
}

struct ResultCase {
    std::string name;
    double value;
    std::string text;
};

class ResultText : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ResultText, CutsTowardMinusInfinity) {
    EXPECT_EQ(resultText(cy(GetParam().value), ','), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Results, ResultText,
                         ::testing::Values(ResultCase{"NeverRoundsUp", 22.0586, "22,05"},
                                           ResultCase{"ExpansionVolume", 3.7586, "3,75"},
                                           ResultCase{"NegativeGoesDown", -0.505, "-0,51"},
                                           ResultCase{"TinyNegative", -0.0007, "-0,01"},
                                           ResultCase{"ExactHundredths", 0.29, "0,29"},
                                           ResultCase{"Whole", 8.32, "8,32"},
                                           ResultCase{"Zero", 0, "0"}),
                         [](const auto& info) { return info.param.name; });

TEST(NumberText, IntegerAndTenthsTexts) {
    EXPECT_EQ(intText(-25), "-25");
    EXPECT_EQ(intText(60), "60");
    EXPECT_EQ(tenthsText(183, ','), "18,3");
    EXPECT_EQ(tenthsText(250, ','), "25");
    EXPECT_EQ(tenthsText(32767, ','), "3276,7");
    EXPECT_EQ(tenthsText(40000, ','), "4000");
    EXPECT_EQ(tenthsText(0, ','), "0");
    // Beyond a million liters single precision would print 1000000 and 1,234568E+07.
    EXPECT_EQ(tenthsText(10000001, ','), "1000000,1");
    EXPECT_EQ(tenthsText(123456789, ','), "12345678,9");
}

}  // namespace
}  // namespace expans
