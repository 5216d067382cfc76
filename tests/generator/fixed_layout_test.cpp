#include "generator/fixed_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "generator/free_format.h"

using namespace tessark;

TEST(FixedLayout, ExponentFields) {
    EXPECT_EQ(formatExponent(2000.0, 15, 7, 'E'), "  0.2000000E+04");
    EXPECT_EQ(formatExponent(1000.0, 11, 4, 'D'), " 0.1000D+04");
    EXPECT_EQ(formatExponent(-1000.0, 11, 4, 'D'), "-0.1000D+04");
    EXPECT_EQ(formatExponent(9.99999999, 15, 7, 'E'), "  0.1000000E+02");
    EXPECT_EQ(formatExponent(0.0, 15, 7, 'E'), "  0.0000000E+00");
    EXPECT_EQ(formatExponent(2.0e-6, 15, 7, 'E'), "  0.2000000E-05");
    EXPECT_EQ(formatExponent(1.5e-200, 15, 7, 'E'), "  0.1500000-199");
    EXPECT_EQ(formatExponent(1.0e300, 15, 7, 'E'), "  0.1000000+301");
    EXPECT_EQ(formatExponent(-1.0e5, 13, 7, 'E'), "-.1000000E+06");
    EXPECT_EQ(formatExponent(-1.0e5, 12, 7, 'E'), "************");
}

namespace {

// The digits and exponent of an Ew.d field as printf's %e rounds them.
std::string exponentDigitsByPrintf(double value, int decimals) {
    char text[128];
    std::snprintf(text, sizeof text, "%.*e", decimals - 1, std::fabs(value));
    std::string digits;
    const char* c = text;
    for (; *c != 'e'; ++c) {
        if (*c != '.') digits.push_back(*c);
    }
    return digits + " " + std::to_string(std::atoi(c + 1) + 1);
}

// The same two parts read back from a field written with the letter E (or
// without it, for three exponent digits).
std::string exponentDigitsOfField(const std::string& field) {
    const std::size_t point = field.find('.');
    const std::size_t end = field.find_first_of("E+-", point);
    const std::size_t sign = field[end] == 'E' ? end + 1 : end;
    return field.substr(point + 1, end - point - 1) + " " + std::to_string(std::stoi(field.substr(sign)));
}

}  // namespace

// Every value is rounded once from its exact binary value, ties to even,
// as printf does: random reals of every size, ties and carries into a new
// power of ten, for 1 to 17 significant digits.
TEST(FixedLayout, ExponentDigitsAreThoseOfPrintf) {
    std::vector<double> values{
        0.125,  0.375,     2.5,  1.5,  9.5, 0.95, 9.9999999, 0.5, 1e-300, 4.9e-324, 1.7976931348623157e308,
        2.0e-6, 1234567.5, 0.15, 0.25, 0.45};
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> power(-300, 300);
    for (int i = 0; i < 1000; ++i) values.push_back(mantissa(random) * std::pow(10.0, power(random)));
    for (const double v : values) {
        for (int decimals = 1; decimals <= 17; ++decimals) {
            SCOPED_TRACE(std::to_string(decimals) + " digits of " + shortestReal(v));
            EXPECT_EQ(exponentDigitsOfField(formatExponent(v, 40, decimals, 'E')), exponentDigitsByPrintf(v, decimals));
            EXPECT_EQ(exponentDigitsOfField(formatExponent(-v, 40, decimals, 'E')),
                      exponentDigitsByPrintf(v, decimals));
        }
    }
}

TEST(FixedLayout, FixedAndIntegerFields) {
    EXPECT_EQ(formatFixed(2.0e-6, 20, 7), "           0.0000020");
    EXPECT_EQ(formatFixed(-0.5, 4, 2), "-.50");
    EXPECT_EQ(formatFixed(123.456, 5, 2), "*****");
    EXPECT_EQ(formatInteger(42, 4), "  42");
    EXPECT_EQ(formatInteger(12345, 4), "****");
    EXPECT_EQ(formatInteger(-7, 3), " -7");
}

TEST(FixedLayout, RecordsWithGroupsLiteralsAndBlanks) {
    auto header = layoutOf("(' ',I4,3X,I4,3X,F20.7,3X,I5)");
    EXPECT_EQ(header.format({std::int64_t{6}, std::int64_t{4}, 2.0e-6, std::int64_t{0}}),
              "    6      4              0.0000020       0");
    auto shape = layoutOf("(' ',4(D11.4,2X),I3)");
    EXPECT_EQ(shape.format({0.5, 0.25, 2000.0, 1000.0, std::int64_t{100}}),
              "  0.5000D+00   0.2500D+00   0.2000D+04   0.1000D+04  100");
    auto walls = layoutOf("(' ',2(E15.7,3X))");
    // Trailing blanks of an X are not written.
    EXPECT_EQ(walls.format({0.025, 9800.0}), "   0.2500000E-01     0.9800000E+04");
    auto label = layoutOf("(' ',A,I10)");
    EXPECT_EQ(label.format({std::string_view("NUMBER OF PARTICLE="), std::int64_t{3}}),
              " NUMBER OF PARTICLE=         3");
    auto quoted = layoutOf("('it''s',1X,I2)");
    EXPECT_EQ(quoted.format({std::int64_t{5}}), "it's  5");
    // Values beyond the layout continue on a new record from the last group.
    EXPECT_EQ(layoutOf("(' ',2(I2))").format({std::int64_t{1}, std::int64_t{2}, std::int64_t{3}}), "  1 2\n 3");
    EXPECT_FALSE(FixedLayout::parse("(I4"));
    EXPECT_FALSE(FixedLayout::parse("(Q4)"));
    EXPECT_FALSE(FixedLayout::parse("(F8)"));
}

TEST(FreeFormat, ShortestRoundTrip) {
    EXPECT_EQ(shortestReal(0.1), "0.1");
    EXPECT_EQ(shortestReal(2000.0), "2000");
    EXPECT_EQ(FreeLine().text("a").real(1.5).integer(3).str(), " a 1.5 3");
    const double v = 0.21132459517897556;
    EXPECT_EQ(std::stod(shortestReal(v)), v);
}
