#include "viewer/core/field_stream.h"
#include "tests/viewer/support/result_run_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace sorvath {
namespace {

using testdata::TempFolder;
using testdata::writeTextFile;

bool parses(const char* text, double& value) { return parseFieldDouble(text, text + std::strlen(text), value); }

TEST(ViewerFieldParsing, AcceptsDecimalExponentAndFortranForms) {
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

TEST(ViewerFieldParsing, RejectsWhatIsNotOneFiniteNumber) {
    double v = 7.0;
    for (const char* bad : {"", "+", "+-1", "abc", "1.5x", "1..2", "nan", "inf", "-inf", "1e400", "0x10", "1D", "D5"}) {
        EXPECT_FALSE(parses(bad, v)) << bad;
    }
    EXPECT_EQ(v, 7.0);
}

TEST(ViewerFieldParsing, IntegerFieldsRoundAndStayInRange) {
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

TEST(ViewerFieldStream, CommasBlanksAndLineEndsSeparateFields) {
    TempFolder folder;
    writeTextFile(folder.path() / "f.dat", " 1, 2,,3\r\n\t4\n\n  5 ,6\n");
    FieldStream stream;
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

TEST(ViewerFieldStream, FieldsAcrossBufferRefillsReadWhole) {
    TempFolder folder;
    std::string text;
    int count = 0;
    while (text.size() < 3u * (1u << 20)) {
        text += std::to_string(count) + ".125 ";
        ++count;
    }
    writeTextFile(folder.path() / "big.dat", text);
    FieldStream stream;
    ASSERT_TRUE(stream.open(folder.file("big.dat")));
    for (int i = 0; i < count; ++i) {
        double v = 0.0;
        ASSERT_TRUE(stream.readDouble(v)) << i;
        ASSERT_EQ(v, i + 0.125) << i;
    }
    EXPECT_TRUE(stream.atEnd());
}

TEST(ViewerFieldStream, MissingFileOverlongFieldAndClosedStreamFail) {
    TempFolder folder;
    FieldStream stream;
    EXPECT_FALSE(stream.open(folder.file("absent.dat")));
    EXPECT_FALSE(stream.open(""));
    EXPECT_TRUE(stream.atEnd());
    writeTextFile(folder.path() / "long.dat", std::string(10000, '1') + " 2");
    ASSERT_TRUE(stream.open(folder.file("long.dat")));
    double v = 0.0;
    EXPECT_FALSE(stream.readDouble(v));
    stream.close();
    EXPECT_FALSE(stream.readDouble(v));
}

}  // namespace
}  // namespace sorvath
