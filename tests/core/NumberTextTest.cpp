#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>

#include "app/NumberFields.h"
#include "app/NumberText.h"

namespace bis {
namespace {

TEST(NumberTextTest, CountTextHasTheSignPlace) {
    EXPECT_EQ(CountText(0), " 0");
    EXPECT_EQ(CountText(3), " 3");
    EXPECT_EQ(CountText(32767), " 32767");
    EXPECT_EQ(CountText(-4), "-4");
}

TEST(NumberTextTest, ScoreTextHasOneDecimal) {
    const struct {
        double value;
        char separator;
        const char *text;
    } cases[] = {
        {0.0, '.', "0.0"},
        {-0.0, '.', "0.0"},
        {4.5, '.', "4.5"},
        {5.0, '.', "5.0"},
        {27.0, '.', "27.0"},
        {102.5, '.', "102.5"},
        {163835.0, '.', "163835.0"},
        {0.5, ',', "0,5"},
        {12.0, ',', "12,0"},
        {-2.5, '.', "-2.5"},
        {-0.5, ',', "-0,5"},
        {0.25, '.', "0.2"},
        {499999999999999.5, '.', "499999999999999.5"},
        {1e15, '.', "1000000000000000.0"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ScoreText(c.value, c.separator), c.text) << c.value;
    }
}

TEST(NumberTextTest, ScoreTextIgnoresTheProgramLocale) {
    // Screens run with the user's locale set for the C library; the texts must not follow it.
    // The German locale under Linux's name, or else under Windows'.
    const char *german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (german == nullptr) {
        german = std::setlocale(LC_NUMERIC, "German_Germany.1252");
    }
    EXPECT_EQ(ScoreText(4.5, '.'), "4.5");
    EXPECT_EQ(ShowFileNumber(2.5), "2.5");
    EXPECT_EQ(ReadNumber("2.5", ','), 2.5);
    std::setlocale(LC_NUMERIC, "C");
    if (german == nullptr) {
        GTEST_SKIP() << "no German locale on this machine to check against";
    }
}

TEST(NumberTextTest, FieldsAreRightAlignedAndNeverCut) {
    char out[5 * kLongestScoreText] = "|";
    char *at = out + 1;
    at = WriteScoreField(at, 1.5, '.', 5);
    at = WriteScoreField(at, 100.0, '.', 5);
    at = WriteScoreField(at, 1000.0, '.', 5);
    at = WriteCountField(at, 12, 3);
    at = WriteCountField(at, -12345, 3);
    EXPECT_EQ(std::string(out, at), "|  1.5100.01000.0 12-12345");
}

TEST(NumberTextTest, ShowFileNumberHasNoTrailingZeros) {
    EXPECT_EQ(ShowFileNumber(0.0), "0");
    EXPECT_EQ(ShowFileNumber(-0.0), "0");
    EXPECT_EQ(ShowFileNumber(3.0), "3");
    EXPECT_EQ(ShowFileNumber(2.5), "2.5");
    EXPECT_EQ(ShowFileNumber(0.5), "0.5");
    EXPECT_EQ(ShowFileNumber(12.5), "12.5");
    EXPECT_EQ(ShowFileNumber(163835.0), "163835");
}

TEST(NumberTextTest, PlainDecimalsRoundAsFromChars) {
    // Up to 15 digits the reader divides by a power of ten; that must round exactly as the
    // library's reading of the same text, however close to halfway between two doubles.
    for (const char *text :
         {"0.1", "0.3", "2.675", "4.35", "0.000000000000001", "1.7976931348623", "999999999999999",
          "123456789012.345", "9007199254740993", "4503599627370497.5", "00000000000000000000.1"}) {
        double expected = 0.0;
        std::from_chars(text, text + std::strlen(text), expected);
        EXPECT_EQ(ReadPlainDecimal(text), expected) << text;
        EXPECT_EQ(ReadNumber(text), expected) << text;
        EXPECT_EQ(ReadPlainDecimal(std::string("-") + text), -expected) << text;
    }
}

struct ReadCase {
    const char *name;
    const char *text;
    char regional;
    std::optional<double> value;
};

void PrintTo(const ReadCase &c, std::ostream *out) {
    *out << c.name;
}

class ReadNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, ReadsOrRefuses) {
    const auto &c = GetParam();
    const auto value = ReadNumber(c.text, c.regional);
    ASSERT_EQ(value.has_value(), c.value.has_value()) << '"' << c.text << '"';
    if (value) {
        EXPECT_EQ(*value, *c.value);
        EXPECT_FALSE(std::signbit(*value) && *value == 0.0) << "negative zero";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberTest,
    ::testing::Values(
        ReadCase{"Whole", "3", '.', 3.0}, ReadCase{"Blanks", "  7  ", '.', 7.0},
        ReadCase{"Plus", "+3", '.', 3.0}, ReadCase{"Minus", "-1", '.', -1.0},
        ReadCase{"TrailingPoint", "3.", '.', 3.0}, ReadCase{"LeadingPoint", ".5", '.', 0.5},
        ReadCase{"TrailingZeros", "4.50", '.', 4.5}, ReadCase{"Exponent", "1e0", '.', 1.0},
        ReadCase{"BigExponent", "1e308", '.', 1e308},
        ReadCase{"Overflow", "1e400", '.', std::nullopt}, ReadCase{"NegativeZero", "-0", '.', 0.0},
        ReadCase{"Empty", "", '.', std::nullopt}, ReadCase{"OnlyBlanks", "   ", '.', std::nullopt},
        ReadCase{"OnlyPoint", ".", '.', std::nullopt}, ReadCase{"OnlySign", "-", '.', std::nullopt},
        ReadCase{"Letters", "abc", '.', std::nullopt}, ReadCase{"Nan", "nan", '.', std::nullopt},
        ReadCase{"Inf", "inf", '.', std::nullopt}, ReadCase{"Hex", "0x10", '.', std::nullopt},
        ReadCase{"CommaWithPointLocale", "1,5", '.', std::nullopt},
        ReadCase{"CommaWithCommaLocale", "1,5", ',', 1.5},
        ReadCase{"PointWithCommaLocale", "1.5", ',', 1.5},
        ReadCase{"TwoPoints", "1.5.", '.', std::nullopt},
        ReadCase{"Grouped", "1 000", '.', std::nullopt}, ReadCase{"Tab", "\t3", '.', std::nullopt},
        ReadCase{"ExponentWithoutDigits", "1e", '.', std::nullopt},
        ReadCase{"LongDigits", "00000000000000000000000000000000000000000003", '.', 3.0}),
    [](const ::testing::TestParamInfo<ReadCase> &info) { return info.param.name; });

}  // namespace
}  // namespace bis
