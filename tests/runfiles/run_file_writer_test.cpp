#include "runfiles/run_file_writer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace runfiles {
namespace {

TEST(RunFileWriterNumbers, NumbersKeepTenSignificantDigitsInTheirShortestForm) {
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

TEST(RunFileWriterNumbers, FastNumbersAgreeWithTenDigitGeneralFormatting) {
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

// A small run: two particles, one wall, one step.
struct SmallRun {
    RunHead head;
    std::vector<ParticleShape> shapes{{1.5, 0.75, 12}, {2.0, 2.0, 100}};
    std::vector<Wall> walls{{0.0, -1.0, 8.0, -1.0}};
    std::vector<Pose> poses{{1.0, 2.0, 0.5}, {3.0, 4.0, -0.25}};
    SmallRun() {
        head.dt = 2e-6;
        head.nloop = 1000.0;
        head.parameters = {1, 2, 3, 4, 5, 6, 7, 8};
        head.lastOldRecord = {9, 10};
        head.material = {2000.0, 1000.0};
    }
};

TEST(RunFileWriterRecords, OutputHeadInEveryLayout) {
    const SmallRun run;
    const struct {
        RecordLayout layout;
        const char* text;
    } cases[] = {
        {RecordLayout::Long,
         " 2 1 2e-06 0 0 0 0\n 1000\n 1 2\n 3 4 5\n 6 7 8\n 1 0 -1 8 -1 2000 1000\n 0 0 0 0\n"
         " 1 1.5 0.75 2000 1000 12\n 2 2 2 2000 1000 100\n"},
        {RecordLayout::Short,
         " 2 1 2e-06 0 0 0 0\n 1000\n 1 2\n 3 4 5\n 6 7 8\n 1 0 -1 8 -1 2000 1000\n 0 0 0 0\n"
         " 1 1.5 0.75 2000 1000\n 2 2 2 2000 1000\n"},
        {RecordLayout::Old, " 0\n 2 1 2e-06 0 0 0 0\n 1000\n 1 2\n 3 4 5\n 6 7 8\n 9 10\n 1 0 -1 8 -1\n 1 1.5\n 2 2\n"},
    };
    for (const auto& c : cases) {
        std::string text;
        RecordWriter out(text);
        writeOutputHead(out, run.head, run.shapes, run.walls, c.layout);
        EXPECT_EQ(text, c.text) << static_cast<int>(c.layout);
    }
}

TEST(RunFileWriterRecords, InputFileInEveryLayout) {
    const SmallRun run;
    const std::vector<Pose> second{{1.5, 2.0, 0.5}, {3.0, 4.5, -0.25}};
    const struct {
        RecordLayout layout;
        const char* text;
    } cases[] = {
        {RecordLayout::Long,
         " 2 1 2e-06 0\n 1.5 0.75 2000 1000 12\n 1 2 0.5\n 1.5 2 0.5\n 2 2 2000 1000 100\n 3 4 -0.25\n"
         " 3 4.5 -0.25\n 0 -1 8 -1\n 2000 1000\n 1000\n 1 2\n 3 4 5\n 6 7 8\n"},
        {RecordLayout::Old,
         " 0\n 2 1 2e-06 0\n 1.5\n 1 2 0.5\n 1.5 2 0.5\n 2\n 3 4 -0.25\n 3 4.5 -0.25\n 0 -1 8 -1\n"
         " 1000\n 1 2\n 3 4 5\n 6 7 8\n 9 10\n"},
    };
    for (const auto& c : cases) {
        std::string text;
        RecordWriter out(text);
        writeInputFile(out, run.head, run.shapes, run.walls, run.poses, second, c.layout);
        EXPECT_EQ(text, c.text) << static_cast<int>(c.layout);
    }
}

TEST(RunFileWriterRecords, StepWallAndContactBlocks) {
    const SmallRun run;
    std::string text;
    RecordWriter out(text);
    writeStepBlock(out, 300, run.poses);
    writeWallBlock(out, 300, run.walls);
    writeContactHeader(out, 300, 1, 1);
    writeContactRecords(out, {{1, 2, 2.0, 3.0, -1.25, -4.5, 0.5}, {2, 0, 3.0, -0.5, 3.0, -1.0, 0.0}});
    EXPECT_EQ(text,
              " 300\n 1 1 2 0.5\n 2 3 4 -0.25\n"
              " 300\n 1 0 8 -1 -1\n"
              " 300 1 1\n"
              " 1 2 2 3 -1.25 -4.5 0.5\n 2 0 3 -0.5 3 -1 0\n");
}

TEST(RunFileWriterLayout, LineBreakingSeparatorAndNumberForm) {
    const struct {
        TextLayout layout;
        const char* text;
    } cases[] = {
        {{LineBreaking::RecordPerLine, " ", NumberForm::TenDigits}, " 7\n 1 0.1 2.222222222\n"},
        {{LineBreaking::RecordPerLine, ", ", NumberForm::Shortest}, " 7\n 1, 0.1, 2.2222222222222223\n"},
        {{LineBreaking::FieldPerLine, " ", NumberForm::TenDigits}, " 7\n 1\n 0.1\n 2.222222222\n"},
        {{LineBreaking::OneLine, ",", NumberForm::TenDigits}, " 7,1,0.1,2.222222222\n"},
    };
    for (const auto& c : cases) {
        std::string text;
        RecordWriter out(text, c.layout);
        out.integer(7);
        out.endRecord();
        out.integer(1);
        out.number(0.1);
        out.number(20.0 / 9.0);
        out.endRecord();
        out.finish();
        EXPECT_EQ(text, c.text) << c.layout.separator;
    }
}

}  // namespace
}  // namespace runfiles
