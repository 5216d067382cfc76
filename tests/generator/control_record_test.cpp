#include "generator/control_record.hpp"

#include <gtest/gtest.h>

using namespace tessark;

TEST(ControlRecord, GroupsAcrossLinesAndExtraValuesIgnored) {
  ControlRecord r;
  std::string error;
  ASSERT_TRUE(readControlRecord("0,1 9 9 names\n7\n20\n1.5 0.5\n0.1 2.0 junk\n0 0 1 1\n1\n1 0.0 0.5d0\n"
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
  EXPECT_FALSE(readControlRecord("0 0\n4 10\n1 1 0 9\n0 0 1 1\n51\n", r, error));
  EXPECT_NE(error.find("nline"), std::string::npos);
  EXPECT_FALSE(readControlRecord("0,,0\n", r, error));
}
