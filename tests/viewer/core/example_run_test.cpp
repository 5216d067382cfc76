#include "tests/viewer/core/recording_viewer.h"
#include "viewer/core/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvath {
namespace {

const std::string kExamples = std::string(TOOLKIT_SOURCE_DIR) + "/examples/viewer/";

TEST(ViewerExampleRun, OpensWithAllCompanionsAndStepsToTheEnd) {
    testing::ReaderBench bench;
    bench.options.contactDisplay = ContactDisplay::DrawLines;
    bench.prompter.paths = {kExamples + "output.dat"};
    bench.prompter.answers = {true};
    ASSERT_TRUE(bench.reader.openOutputFile());
    EXPECT_TRUE(bench.scene.movewall);
    int steps = 0;
    while (!bench.reader.outputAtEnd()) {
        ASSERT_EQ(bench.reader.outdraw(), OutdrawResult::Read);
        ++steps;
    }
    EXPECT_EQ(steps, 27);
    EXPECT_TRUE(bench.scene.movewall);
    EXPECT_EQ(bench.options.contactDisplay, ContactDisplay::DrawLines);
    EXPECT_GT(bench.scene.nctot, 0);
    EXPECT_EQ(bench.log.beeps, 0);

    bench.prompter.paths = {kExamples + "input.dat"};
    ASSERT_TRUE(bench.reader.openInputFile());
    EXPECT_EQ(bench.scene.nop, 30);
    EXPECT_EQ(bench.log.beeps, 0);
}

}  // namespace
}  // namespace sorvath
