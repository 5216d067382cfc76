#include "bridge/result_files.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace bridge {
namespace {

TEST(ResultFiles, NumbersKeepTenSignificantDigitsInTheirShortestForm) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, " 0"},
        {-0.0, " 0"},
        {0.01, " 0.01"},
        {2.5, " 2.5"},
        {-1.5707963267948966, " -1.570796327"},
        {285.71428571428572, " 285.7142857"},
        {123456789.5, " 123456789.5"},
        {9.99999999999, " 10"},
        {0.000123456789012, " 0.000123456789"},
        {1e-5, " 1e-05"},
        {1e12, " 1e+12"},
        {-20000, " -20000"},
    };
    for (const auto& c : cases) {
        std::string out;
        appendNumber(out, c.value);
        EXPECT_EQ(out, c.text) << c.value;
    }
}

TEST(ResultFiles, FastNumbersAgreeWithTenDigitGeneralFormatting) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-6, 10);
    for (int k = 0; k < 100000; ++k) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        std::string out;
        appendNumber(out, value);
        char reference[40];
        const auto end =
            std::to_chars(reference, reference + sizeof reference, value, std::chars_format::general, 10).ptr;
        double mine = 0.0, theirs = 0.0;
        std::from_chars(out.data() + 1, out.data() + out.size(), mine);
        std::from_chars(reference, end, theirs);
        // Both round to ten digits; they may differ by one unit in the tenth digit at a tie.
        ASSERT_LE(std::fabs(mine - theirs), 1.01e-9 * std::fabs(value)) << value << " " << out;
    }
}

}  // namespace
}  // namespace bridge
