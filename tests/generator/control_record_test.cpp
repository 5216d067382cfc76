#include "generator/control_record.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessark;

TEST(ControlRecord, GroupsAcrossLinesAndExtraValuesIgnored) {
    ControlRecord r;
    std::string error;
    ASSERT_TRUE(
        readControlRecord("0,1 9 9 names\n7\n20\n1.5 0.5\n0.1 2.0 junk\n0 0 1 1\n1\n1 0.0 0.5d0\n"
                          "3.0 0.0 3 3\n",
                          r, error))
        << error;
    EXPECT_EQ(r.ishape, 1);
    EXPECT_EQ(r.npart, 7);
    EXPECT_EQ(r.ntrial, 20);
    EXPECT_EQ(r.sizemx, 2.0);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].lcept, 0.5);
    EXPECT_EQ(r.ndgmean, 3.5);
    EXPECT_EQ(r.ndgmn, 3);
    // As many line constraints as the file holds.
    std::string manyLines = "0 2\n4 10\n1 1 0 9\n0 0 1 1\n60\n";
    for (int j = 0; j < 60; ++j) manyLines += "-1 0 " + std::to_string(j) + "\n";
    ASSERT_TRUE(readControlRecord(manyLines, r, error)) << error;
    ASSERT_EQ(r.lines.size(), 60u);
    EXPECT_EQ(r.lines[59].lcept, 59.0);
    // The widest edge-count range the vertex count holds.
    ASSERT_TRUE(readControlRecord("0 1\n7 20\n1 1 0 9\n0 0 1 1\n0\n5.0 1.0 -99 999\n", r, error)) << error;
    EXPECT_EQ(r.ndgmx, 999);
}

TEST(ControlRecord, DiscsIgnorePresentShapeGroups) {
    ControlRecord r;
    std::string error;
    ASSERT_TRUE(readControlRecord("1 2\n4 10\n1 1 0 9\n0 0 1 1\n0\n0.5 0.1 0.2 0.9\nrubbish\n", r, error));
    EXPECT_EQ(r.axismean, 1.0);
    EXPECT_EQ(r.axismin, 1.0);
    EXPECT_EQ(r.ndgmean, 3.5);
}

TEST(ControlRecord, MalformedOrShortFilesNameGroupAndValue) {
    ControlRecord r;
    std::string error;
    EXPECT_FALSE(readControlRecord("0 0\n4 10\n1 1x 0 9\n", r, error));
    EXPECT_NE(error.find("group 3"), std::string::npos);
    EXPECT_NE(error.find("wsd"), std::string::npos);
    EXPECT_FALSE(readControlRecord("0 0\n4.5 10\n", r, error));
    EXPECT_NE(error.find("npart"), std::string::npos);
    EXPECT_FALSE(readControlRecord("0 0\n4 10\n1 1 0 9\n0 0 1\n", r, error));
    EXPECT_NE(error.find("ends"), std::string::npos);
    EXPECT_FALSE(readControlRecord("0,,0\n", r, error));
}

// Reals below the smallest double read as zero; beyond the largest, and
// integers beyond 32 bits, are refused as out of range with group and value.
TEST(ControlRecord, UnderflowReadsAsZeroOverflowIsOutOfRange) {
    ControlRecord r;
    std::string error;
    ASSERT_TRUE(readControlRecord("0 2\n4 10\n1e-400 -1D-999 0 9\n0 0 1 1\n0\n", r, error)) << error;
    EXPECT_EQ(r.wmean, 0.0);
    EXPECT_EQ(r.wsd, 0.0);
    EXPECT_TRUE(std::signbit(r.wsd));
    ASSERT_TRUE(readControlRecord("0 2\n4 10\n4.9e-324 0.00001e-318 0 9\n0 0 1 1\n0\n", r, error)) << error;
    EXPECT_EQ(r.wmean, 4.9e-324);  // the smallest subnormal is still a value
    EXPECT_EQ(r.wsd, 1e-323);

    const struct {
        const char* text;
        const char* error;
    } refused[] = {
        {"0 2\n4 10\n1 1e400 0 9\n",
         "group 3 (wmean, wsd, sizemn, sizemx), value wsd: \"1e400\" is out of range (reals run up to about 1.8e308 in "
         "size)"},
        {"0 2\n4 10\n1 1 0 9\n0 0 -1.8d308 1\n",
         "group 4 (xa, ya, xb, yb), value xb: \"-1.8d308\" is out of range (reals run up to about 1.8e308 in size)"},
        {"0 2\n4 10\n1 1 0 9\n0 0 1 1\n1\n1 0.0 1000000000000000000000000e300\n",
         "group 6 (lside, lslope, lcept), line constraint 1 of 1, value lcept: \"1000000000000000000000000e300\" is "
         "out "
         "of range (reals run up to about 1.8e308 in size)"},
        {"0 2\n2147483648 10\n",
         "group 2 (npart, ntrial), value npart: \"2147483648\" is out of range (whole numbers run from -2147483648 to "
         "2147483647)"},
    };
    for (const auto& k : refused) {
        SCOPED_TRACE(k.text);
        EXPECT_FALSE(readControlRecord(k.text, r, error));
        EXPECT_EQ(error, k.error);
    }
    // The largest double itself is read.
    ASSERT_TRUE(readControlRecord("0 2\n4 10\n1.7976931348623157e308 1 0 9\n0 0 1 1\n0\n", r, error)) << error;
    EXPECT_EQ(r.wmean, 1.7976931348623157e308);
}

// Every way a control file is refused, with its whole message.
TEST(ControlRecord, EveryRefusalMessage) {
    const struct {
        const char* text;
        const char* error;
    } refused[] = {
        {"", "group 1 (isdist, ishape), value isdist: the file ends before it"},
        {"0 0\n4 10\n1 1x 0 9\n", "group 3 (wmean, wsd, sizemn, sizemx), value wsd: \"1x\" is not a number"},
        {"0 0\n4.5 10\n", "group 2 (npart, ntrial), value npart: \"4.5\" is not a whole number"},
        {"0 0\n+-4 10\n", "group 2 (npart, ntrial), value npart: \"+-4\" is not a whole number"},
        {"0 0\n4 10\n1 1 0 9\n0 0 1\n", "group 4 (xa, ya, xb, yb), value yb: the file ends before it"},
        {"0,,0\n", "group 1 (isdist, ishape), value ishape: it is empty (two separators in a row)"},
        {"0 / 0\n", "group 1 (isdist, ishape), value ishape: a slash ends the values before it"},
        {"2*\n", "group 1 (isdist, ishape), value isdist: it is empty (\"2*\")"},
        {"x*1 0\n", "group 1 (isdist, ishape), value isdist: \"x*1\" is not a number"},
        {"0 0\n4 10\n1 1 0 9\n0 0 1 1\n-1\n",
         "group 5 (nline), value nline: -1 is not a number of line constraints (0 or more)"},
        {"0 2\n4 10\n1 1 0 9\n0 0 1 1\n2147483647\n1 0 0.5\n",
         "group 6 (lside, lslope, lcept), line constraint 2 of 2147483647, value lside: the file ends before it"},
        {"0 0\n4 10\n1 1 0 9\n0 0 1 1\n2\n1 0 0.5\n1.5 0 0.5\n",
         "group 6 (lside, lslope, lcept), line constraint 2 of 2, value lside: \"1.5\" is not a whole number"},
        {"0 0\n4 10\n1 1 0 9\n0 0 1 1\n0\n0.5 0.1 0.2\n",
         "group 7 (axismean, axissd, axismin, axismx), value axismx: the file ends before it"},
        {"0 1\n4 10\n1 1 0 9\n0 0 1 1\n0\n3.0 0.0 3.5 3\n",
         "group 8 (ndgmean, ndgsd, ndgmn, ndgmx), value ndgmn: \"3.5\" is not a whole number"},
        {"0 1\n4 10\n1 1 0 9\n0 0 1 1\n0\n5.0 1.0 3 1000\n",
         "group 8 (ndgmean, ndgsd, ndgmn, ndgmx), value ndgmx: 1000 is outside -99 to 999, the side counts the vertex "
         "count of \"newin.dat\" holds"},
        {"0 1\n4 10\n1 1 0 9\n0 0 1 1\n0\n5.0 1.0 -100 8\n",
         "group 8 (ndgmean, ndgsd, ndgmn, ndgmx), value ndgmn: -100 is outside -99 to 999, the side counts the vertex "
         "count of \"newin.dat\" holds"},
    };
    for (const auto& k : refused) {
        SCOPED_TRACE(k.text);
        ControlRecord r;
        std::string error;
        EXPECT_FALSE(readControlRecord(k.text, r, error));
        EXPECT_EQ(error, k.error);
    }
}
