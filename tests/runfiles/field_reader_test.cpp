#include "runfiles/field_reader.h"
#include "tests/support/scratch_folder.h"

#include "runfiles/capacities.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace runfiles {
namespace {

using toolkit::testing::ScratchFolder;

bool parses(const char* text, double& value) { return parseFieldDouble(text, text + std::strlen(text), value); }

TEST(FieldParsing, AcceptsDecimalExponentAndFortranForms) {
    double v = 0.0;
    ASSERT_TRUE(parses("12", v));
    EXPECT_EQ(v, 12.0);
    ASSERT_TRUE(parses("-0.5", v));
    EXPECT_EQ(v, -0.5);
    ASSERT_TRUE(parses("+2.5", v));
    EXPECT_EQ(v, 2.5);
    ASSERT_TRUE(parses(".25", v));
    EXPECT_EQ(v, 0.25);
    ASSERT_TRUE(parses("0.2000000E+04", v));
    EXPECT_EQ(v, 2000.0);
    ASSERT_TRUE(parses("0.1000D+04", v));
    EXPECT_EQ(v, 1000.0);
    ASSERT_TRUE(parses("1d-3", v));
    EXPECT_DOUBLE_EQ(v, 0.001);
}

TEST(FieldParsing, RejectsWhatIsNotOneFiniteNumber) {
    double v = 7.0;
    for (const char* bad : {"", "+", "+-1", "abc", "1.5x", "1..2", "nan", "inf", "-inf", "1e400", "0x10", "1D", "D5"}) {
        EXPECT_FALSE(parses(bad, v)) << bad;
    }
    EXPECT_EQ(v, 7.0);
}

// What std::from_chars makes of a whole field (after the one "+" and the Fortran "D"
// the reader allows): the correctly rounded double, or nothing.
std::optional<double> fromChars(std::string text) {
    if (!text.empty() && text[0] == '+') {
        text.erase(0, 1);
        if (!text.empty() && (text[0] == '+' || text[0] == '-')) return std::nullopt;
    }
    for (char& c : text) {
        if (c == 'd' || c == 'D') c = 'E';
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void expectSameAsFromChars(const std::string& text) {
    double parsed = 0.0;
    const bool ok = parseFieldDouble(text, parsed);
    const std::optional<double> expected = fromChars(text);
    ASSERT_EQ(ok, expected.has_value()) << text;
    if (ok) {
        EXPECT_EQ(std::bit_cast<uint64_t>(parsed), std::bit_cast<uint64_t>(*expected)) << text;
    }
}

// The common decimals take a shorter path than std::from_chars; both give the same
// double, to the last bit, on both sides of that path's limits.
TEST(FieldParsing, EveryNumberReadsAsStdFromCharsReadsIt) {
    for (const char* edge : {".5",
                             "5.",
                             "-.5",
                             "-0",
                             "-0.0e7",
                             "0e99999",
                             "000120.5000",
                             "+7",
                             "1E+05",
                             "2.5d-3",
                             "9007199254740992",
                             "9007199254740993",
                             "-9007199254740993",
                             "18446744073709551615",
                             "1234567890123456789",
                             "12345678901234567891",
                             "0.1234567890123456789",
                             "1e22",
                             "1e23",
                             "1e-22",
                             "1e-23",
                             "4.9e-324",
                             "1e-400",
                             "1.7976931348623157e308",
                             "1e309",
                             "1e",
                             "1e+",
                             "-",
                             ".",
                             "-.",
                             "1.5.2",
                             "--1",
                             "+-1",
                             "1e99999",
                             "0.000000000000000000000001",
                             "123456789012345678e-30"})
        expectSameAsFromChars(edge);
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> typical(-1000.0, 1000.0);
    char text[64];
    for (int n = 0; n < 20000; ++n) {
        double value = typical(random);
        if (n % 4 == 1) value = std::bit_cast<double>(random());  // any bit pattern
        if (n % 4 == 2) value = std::ldexp(typical(random), static_cast<int>(random() % 120) - 60);
        if (!std::isfinite(value)) continue;
        const int precision = static_cast<int>(random() % 18);
        for (const char* format : {"%.*g", "%.*e", "%.*f", "%.*E"}) {
            if (format[3] == 'f' && std::fabs(value) > 1e30) continue;
            std::snprintf(text, sizeof text, format, precision, value);
            expectSameAsFromChars(text);
        }
    }
}

TEST(FieldParsing, IntegerFieldsRoundAndStayInRange) {
    int16_t small = 0;
    EXPECT_TRUE(fieldToInt16(2.6, small));
    EXPECT_EQ(small, 3);
    EXPECT_TRUE(fieldToInt16(-2.4, small));
    EXPECT_EQ(small, -2);
    EXPECT_TRUE(fieldToInt16(32767.4, small));
    EXPECT_EQ(small, 32767);
    EXPECT_TRUE(fieldToInt16(-32768.0, small));
    EXPECT_FALSE(fieldToInt16(32767.6, small));
    EXPECT_FALSE(fieldToInt16(-32769.0, small));
    int32_t step = 0;
    EXPECT_TRUE(fieldToInt32(100000.0, step));
    EXPECT_EQ(step, 100000);
    EXPECT_FALSE(fieldToInt32(3.0e9, step));
}

TEST(FieldReaderFile, CommasBlanksAndLineEndsSeparateFields) {
    ScratchFolder folder;
    folder.write("f.dat", " 1, 2,,3\r\n\t4\n\n  5 ,6\n");
    FieldReader stream;
    ASSERT_TRUE(stream.open(folder.file("f.dat")));
    for (double expected = 1.0; expected <= 6.0; expected += 1.0) {
        double v = 0.0;
        ASSERT_TRUE(stream.readDouble(v));
        EXPECT_EQ(v, expected);
    }
    EXPECT_TRUE(stream.atEnd());
    double v = 0.0;
    EXPECT_FALSE(stream.readDouble(v));
    ASSERT_TRUE(stream.reopen());
    ASSERT_TRUE(stream.readDouble(v));
    EXPECT_EQ(v, 1.0);
}

TEST(FieldReaderFile, FieldsAcrossBufferRefillsReadWhole) {
    ScratchFolder folder;
    std::string text;
    int count = 0;
    while (text.size() < 3u * (1u << 20)) {
        text += std::to_string(count) + ".125 ";
        ++count;
    }
    folder.write("big.dat", text);
    FieldReader stream;
    ASSERT_TRUE(stream.open(folder.file("big.dat")));
    for (int i = 0; i < count; ++i) {
        double v = 0.0;
        ASSERT_TRUE(stream.readDouble(v)) << i;
        ASSERT_EQ(v, i + 0.125) << i;
    }
    EXPECT_TRUE(stream.atEnd());
}

TEST(FieldReaderFile, MissingFileOverlongFieldAndClosedStreamFail) {
    ScratchFolder folder;
    FieldReader stream;
    EXPECT_FALSE(stream.open(folder.file("absent.dat")));
    EXPECT_FALSE(stream.open(""));
    EXPECT_TRUE(stream.atEnd());
    folder.write("long.dat", std::string(10000, '1') + " 2");
    ASSERT_TRUE(stream.open(folder.file("long.dat")));
    double v = 0.0;
    EXPECT_FALSE(stream.readDouble(v));
    stream.close();
    EXPECT_FALSE(stream.readDouble(v));
}

TEST(FieldReaderFile, OnlyRegularFilesOpen) {
    ScratchFolder folder;
    FieldReader stream;
    EXPECT_FALSE(stream.open(folder.path().string()));
    EXPECT_FALSE(stream.isOpen());
    folder.write("f.dat", "1");
    ASSERT_TRUE(stream.open(folder.file("f.dat")));
    EXPECT_TRUE(stream.isOpen());
}

TEST(FieldReaderFile, RoomLeftBoundsTheFieldsStillToCome) {
    ScratchFolder folder;
    folder.write("f.dat", "1 2 3 4 5 6");  // 11 characters: at most 6 fields
    FieldReader stream;
    ASSERT_TRUE(stream.open(folder.file("f.dat")));
    EXPECT_EQ(stream.fieldsLeftAtMost(), 6u);
    double v = 0.0;
    ASSERT_TRUE(stream.skip(2));
    EXPECT_EQ(stream.fieldsLeftAtMost(), 4u);
    ASSERT_TRUE(stream.skip(4));
    EXPECT_FALSE(stream.readDouble(v));
}

// The text in memory reads as the same bytes in a file do, and counts its lines.
TEST(FieldReaderText, ReadsLikeTheFileAndNamesLines) {
    const std::string text = " 1, 2\n\n 3\f4 x\v5\n";
    FieldReader reader;
    reader.openText(text, "newin.dat");
    EXPECT_EQ(reader.path(), "newin.dat");
    EXPECT_EQ(reader.fieldsLeftAtMost(), (text.size() + 1) / 2);
    const struct {
        const char* field;
        int line;
    } fields[] = {{"1", 1}, {"2", 1}, {"3", 3}, {"4", 3}, {"x", 3}, {"5", 3}};
    for (const auto& expected : fields) {
        std::string_view field;
        ASSERT_TRUE(reader.readField(field)) << expected.field;
        EXPECT_EQ(field, expected.field);
        EXPECT_EQ(reader.line(), expected.line) << expected.field;
    }
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.line(), 4);
    ASSERT_TRUE(reader.reopen());
    EXPECT_EQ(reader.line(), 1);
    double v = 0.0;
    ASSERT_TRUE(reader.readDouble(v));
    EXPECT_EQ(v, 1.0);
    reader.close();
    EXPECT_FALSE(reader.isOpen());
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReaderText, OverlongFieldFails) {
    const std::string text = std::string(kMaxFieldLength + 1, '1') + " 2 " + std::string(kMaxFieldLength, '1');
    FieldReader reader;
    reader.openText(text, "t");
    std::string_view field;
    EXPECT_FALSE(reader.readField(field));
    reader.reopen();
    reader.openText(std::string_view(text).substr(kMaxFieldLength + 2), "t");
    ASSERT_TRUE(reader.readField(field));
    EXPECT_EQ(field, "2");
    ASSERT_TRUE(reader.readField(field));
    EXPECT_EQ(field.size(), kMaxFieldLength);
}

}  // namespace
}  // namespace runfiles
