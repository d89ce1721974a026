#include "formatting.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kestrova;

namespace {

struct FormatCase
{
    const char *name;
    const char *pattern;
    std::initializer_list<FormatArg> args;
    const char *expected;
};

TEST(Formatting, FormatPatterns)
{
    const FormatCase cases[] = {
        {"plain integer", "%d", {42}, "42"},
        {"negative integer", "%d", {-7}, "-7"},
        {"width pads with blanks", "%3d", {5}, "  5"},
        {"precision pads with zeros", "%2.2d", {5}, "05"},
        {"precision keeps longer numbers", "%2.2d", {123}, "123"},
        {"negative with precision", "%.3d", {-5}, "-005"},
        {"one decimal, comma", "%4.1f", {72.25}, "72,2"},
        {"half to even up", "%4.1f", {72.75}, "72,8"},
        {"two decimals padded", "%6.2f", {3.14159}, "  3,14"},
        {"zero width two decimals", "%0.2f", {1234.5}, "1234,50"},
        {"six decimals", "%10.6f", {0.027}, "  0,027000"},
        {"default two decimals", "%f", {2.0}, "2,00"},
        {"integer argument to f", "%0.1f", {3}, "3,0"},
        {"no negative zero", "%0.2f", {-0.001}, "0,00"},
        {"thousands", "%0.2n", {1234567.891}, "1.234.567,89"},
        {"string", "[%s]", {"abc"}, "[abc]"},
        {"left-justified string", "[%-5s]", {"ab"}, "[ab   ]"},
        {"percent sign", "%d%%", {50}, "50%"},
        {"several arguments", "%d de %d", {3, 10}, "3 de 10"},
        {"missing argument is empty", "%d-%d", {1}, "1-"},
        {"wrong kind is empty", "%d", {"x"}, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Format(QString::fromUtf8(c.pattern), c.args), QString::fromUtf8(c.expected)) << c.name;
}

TEST(Formatting, FormatFloatPatterns)
{
    struct Case
    {
        const char *name;
        const char *pattern;
        double value;
        const char *expected;
    } cases[] = {
        {"two decimals", "##0.00", 3.14159, "3,14"},
        {"zero keeps its integer zero", "##0.00", 0.0, "0,00"},
        {"large", "##0.00", 12345.678, "12345,68"},
        {"min two integer digits", "#00", 7, "07"},
        {"rounds halves to even", "#00", 2.5, "02"},
        {"rounds halves to even up", "#00", 3.5, "04"},
        {"integer only", "###0", 1234.4, "1234"},
        {"three decimals", "#0.000", 1.0005, "1,000"},  // 1.0005 is just below the half in binary
        {"thousands", "#,##0.00", 1234567.5, "1.234.567,50"},
        {"optional decimals trimmed", "0.##", 2.5, "2,5"},
        {"negative", "##0.00", -2.345, "-2,35"},  // -2.345 is just beyond the half in binary
        {"suffix literal", "##0.0 %", 45.25, "45,2 %"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.pattern), c.value), QString::fromUtf8(c.expected)) << c.name;
}

TEST(Formatting, GeneralRealFormat)
{
    struct Case
    {
        double value;
        const char *expected;
    } cases[] = {
        {0, "0"},
        {1.5, "1,5"},
        {-2.25, "-2,25"},
        {100, "100"},
        {0.1 + 0.2, "0,3"},  // 15 significant digits hide the binary noise
        {1.0 / 3.0, "0,333333333333333"},
        {29.2098607, "29,2098607"},
        {0.0001, "0,0001"},
        {1.5e-7, "1,5E-7"},
        {1e15, "1E15"},
        {123456789012345.0, "123456789012345"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatToStr(c.value), QString::fromUtf8(c.expected)) << c.value;
    EXPECT_EQ(FloatToStr(std::nan("")), "0");
}

TEST(Formatting, RoundHalfEven)
{
    const std::pair<double, int64_t> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4},
                                                 {2.4999, 2}, {2.5001, 3}, {144.0, 144}};
    for (auto [v, r] : cases)
        EXPECT_EQ(RoundHalfEven(v), r) << v;
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(Formatting, ParseDecimal)
{
    struct Case
    {
        const char *text;
        std::optional<double> value;
    } cases[] = {
        {"1,5", 1.5},       {" 72,3 ", 72.3},  {"-0,25", -0.25}, {"10", 10.0},   {",5", 0.5},
        {"5,", 5.0},        {"1,5E2", 150.0},  {"1.5", {}},      {"", {}},       {"abc", {}},
        {"1,2,3", {}},      {"1 5", {}},       {"nan", {}},      {"inf", {}},    {"1,5x", {}},
    };
    for (const auto &c : cases) {
        const auto v = TryParseDecimal(QString::fromUtf8(c.text));
        ASSERT_EQ(v.has_value(), c.value.has_value()) << c.text;
        if (v)
            EXPECT_DOUBLE_EQ(*v, *c.value) << c.text;
        EXPECT_DOUBLE_EQ(ParseDecimalOrZero(QString::fromUtf8(c.text)), c.value.value_or(0.0)) << c.text;
    }
}

TEST(Formatting, ParseInteger)
{
    EXPECT_EQ(TryParseInteger(u"42"), 42);
    EXPECT_EQ(TryParseInteger(u" -7 "), -7);
    EXPECT_EQ(TryParseInteger(u"0x1F"), 31);
    EXPECT_EQ(TryParseInteger(u"abc"), std::nullopt);
    EXPECT_EQ(TryParseInteger(u"12abc"), std::nullopt);
    EXPECT_EQ(TryParseInteger(u"99999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseIntegerOrZero(u"x"), 0);
}

TEST(Formatting, Dates)
{
    EXPECT_EQ(FormatDate(QDate(2026, 3, 7)), "07/03/2026");
    EXPECT_EQ(FormatDateTime(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 2))), "07/03/2026 09:05:02");
    EXPECT_EQ(ParseDate(u"29/02/2000"), QDate(2000, 2, 29));
    EXPECT_EQ(ParseDate(u"31/02/2000"), std::nullopt);
    EXPECT_EQ(ParseDate(u"29/02/1900"), std::nullopt);
    EXPECT_EQ(ParseDate(u"  /  /    "), std::nullopt);
    EXPECT_EQ(ParseDate(u"2000-02-01"), std::nullopt);
}

} // namespace
