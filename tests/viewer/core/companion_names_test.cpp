#include "viewer/core/companion_names.h"

#include <gtest/gtest.h>

namespace sorvath {
namespace {

TEST(ViewerCompanionNames, OutputDatSelectsTheFixedNames) {
    const auto parts = splitOutputPath("/runs/a/output.dat");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->dirpart, "/runs/a/");
    EXPECT_EQ(parts->filepart, "output.dat");
    EXPECT_EQ(wallFileName(*parts), "wllout.dat");
    EXPECT_EQ(contactRecordFileName(*parts), "cont.dat");
    EXPECT_EQ(contactHeaderFileName(*parts), "cont2.dat");
}

TEST(ViewerCompanionNames, NumberedOutputSelectsTaggedNames) {
    const auto parts = splitOutputPath("/runs/out-0012.dat");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->filenoc, "0012");
    EXPECT_EQ(wallFileName(*parts), "wou-0012.dat");
    EXPECT_EQ(contactRecordFileName(*parts), "cnt-0012.dat");
    EXPECT_EQ(contactHeaderFileName(*parts), "cn2-0012.dat");
}

TEST(ViewerCompanionNames, EightCharactersGiveAnEmptyTagAndFewerAreRejected) {
    const auto eight = splitOutputPath("abcd.dat");
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->dirpart, "");
    EXPECT_EQ(eight->filenoc, "");
    EXPECT_EQ(wallFileName(*eight), "wou-.dat");
    EXPECT_FALSE(splitOutputPath("/runs/out.dat"));
    EXPECT_FALSE(splitOutputPath("/runs/long-folder-name/"));
}

TEST(ViewerCompanionNames, CharactersAreCountedNotBytes) {
    // "outé.dat" is eight characters (nine bytes); "out-é1.dat" keeps "é1" as its tag.
    EXPECT_TRUE(splitOutputPath("out\xC3\xA9.dat"));
    const auto parts = splitOutputPath("out-\xC3\xA9\x31.dat");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->filenoc, "\xC3\xA9\x31");
    EXPECT_FALSE(splitOutputPath("ou\xC3\xA9.dat"));
}

TEST(ViewerCompanionNames, OutputFilesAreNamedOutAnythingDotDat) {
    for (const char* name : {"output.dat", "/runs/out-0012.dat", "out.dat", "runs/outdata.dat"})
        EXPECT_TRUE(isOutputFileName(name)) << name;
    for (const char* name : {"newin.dat", "/out-1/input.dat", "OUTD.DAT", "output.da", "out-0012.dat.bak", "ou.dat",
                             "xout-1.dat", "/runs/out/"})
        EXPECT_FALSE(isOutputFileName(name)) << name;
}

}  // namespace
}  // namespace sorvath
