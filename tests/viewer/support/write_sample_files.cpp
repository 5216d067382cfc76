// Writes the example run shipped in examples/viewer/ and the seed corpus of the
// result-file fuzz target, both with the test-data writer:
//   viewer_write_sample_files <examples folder> <fuzz corpus folder>
#include "tests/viewer/support/result_run_writer.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace sorvath;

// Four decimals keep the example files small.
double rounded(double value) { return std::round(value * 1.0e4) / 1.0e4; }
using namespace sorvath::testing;

// A 6 x 5 assembly of discs, ellipses and polygons under a lid that moves down,
// its particles rolling against each other.
ResultRun exampleRun() {
    ResultRun run;
    constexpr int columns = 6;
    constexpr int rows = 5;
    constexpr int steps = 30;
    constexpr double pitch = 2.0;
    const double width = columns * pitch;
    const double height = rows * pitch + 1.0;
    run.walls = {
        {0.0, height, 0.0, 0.0}, {0.0, 0.0, width, 0.0}, {width, 0.0, width, height}, {width, height, 0.0, height}};
    run.dt = 2.0e-6;
    run.perw = width;
    run.perv = 0.0;
    run.nloop = steps * 100.0;
    for (int i = 0; i < columns * rows; ++i) {
        const int kind = i % 3;
        const double a = rounded(0.85 + 0.1 * ((i * 7) % 5) / 4.0);
        if (kind == 0) run.shapes.push_back({a, a, 20});
        if (kind == 1) run.shapes.push_back({a, rounded(0.7 * a), 24});
        if (kind == 2) run.shapes.push_back({a, a, 3 + i % 5});
    }
    for (int s = 0; s < steps; ++s) {
        Step step;
        step.iloop = 100 * (s + 1);
        const double squeeze = 1.0 - 0.004 * s;
        for (int i = 0; i < columns * rows; ++i) {
            const int c = i % columns;
            const int r = i / columns;
            const double sense = (c + r) % 2 == 0 ? 1.0 : -1.0;
            const double rate = 0.02 * (1 + (i % 4)) * (i % 5 == 0 ? 0.0 : sense);
            step.poses.push_back({rounded((c + 0.5) * pitch + 0.1 * std::sin(0.2 * s + i)),
                                  rounded((r + 0.5) * pitch * squeeze), rounded(rate * s)});
        }
        step.walls = run.walls;
        const double lid = rounded(height * squeeze);
        step.walls[3].y1 = step.walls[3].y2 = lid;
        step.walls[0].y1 = step.walls[2].y2 = lid;
        for (int i = 0; i < columns * rows; ++i) {
            const int c = i % columns;
            if (c + 1 < columns) {
                const Pose& p = step.poses[static_cast<size_t>(i)];
                const double force = rounded(1.0 + 3.0 * std::fabs(std::sin(0.3 * s + 0.7 * i)));
                // The angle is the centre line's direction minus pi/2: the force segment
                // the viewer draws along ang + pi/2 then joins the two centres.
                step.contacts.push_back({i + 1, i + 2, rounded(p.x + pitch / 2), p.y, -1.5707963, -force, 0.0});
            }
            if (i + columns < columns * rows) {
                const Pose& p = step.poses[static_cast<size_t>(i)];
                const double force = rounded(1.0 + 2.0 * std::fabs(std::cos(0.2 * s + 0.3 * i)));
                step.contacts.push_back({i + 1, i + 1 + columns, p.x, rounded(p.y + pitch / 2), 0.0, -force, 0.0});
            }
        }
        const int pairs = static_cast<int>(step.contacts.size());
        // Bottom row on the floor: the segment runs from the centre down to the wall.
        for (int c = 0; c < columns; ++c) {
            const Pose& p = step.poses[static_cast<size_t>(c)];
            step.contacts.push_back({c + 1, 0, p.x, rounded(p.y / 2), -3.1415927, -0.5, 0.0});
        }
        step.ncont = pairs;
        run.steps.push_back(std::move(step));
    }
    return run;
}

ResultRun seedRun() {
    ResultRun run;
    run.shapes = {{0.5, 0.25, 5}, {1.0, 1.0, 8}, {0.75, 0.5, 3}};
    run.walls = {{-4.0, -3.0, 4.0, -3.0}, {-4.0, 3.0, 4.0, 3.0}};
    run.dt = 0.5;
    run.perw = 8.0;
    run.perv = 0.25;
    for (int s = 1; s <= 5; ++s) {
        Step step;
        step.iloop = 10 * s;
        for (int i = 1; i <= 3; ++i) step.poses.push_back({s * 0.5, i + 0.0, 0.4 * s * i - 3.0});
        step.contacts = {
            {1, 2, 0.5, 1.5, 0.3, -2.0 * s, 0.0}, {2, -3, 0.5, 2.5, 1.0, -1.0, 0.0}, {3, 0, 0.5, 3.0, 1.5, -0.5, 0.0}};
        step.ncont = 2;
        run.steps.push_back(step);
    }
    return run;
}

void writeSeed(const std::filesystem::path& folder, const std::string& name, unsigned char flags,
               const std::string& main, const ResultRun& run) {
    std::string bytes(1, static_cast<char>(flags));
    bytes += main + "|" + wallFileText(run) + "|" + contactHeaderFileText(run) + "|" + contactRecordFileText(run);
    writeTextFile(folder / name, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <examples folder> <fuzz corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path examples = argv[1];
    const std::filesystem::path corpus = argv[2];
    std::filesystem::create_directories(examples);
    std::filesystem::create_directories(corpus);

    const ResultRun example = exampleRun();
    writeRun(examples, "output.dat", example, RecordLayout::Long, true, true);
    writeTextFile(examples / "input.dat", inputFileText(example, RecordLayout::Long));

    const ResultRun seed = seedRun();
    const RecordLayout layouts[] = {RecordLayout::Long, RecordLayout::Short, RecordLayout::Old};
    const char* names[] = {"long", "short", "old"};
    for (int l = 0; l < 3; ++l) {
        writeSeed(corpus, std::string("output-") + names[l] + "-lines", 0x80 | 0x08 | 0x04 | 0x01,
                  outputFileText(seed, layouts[l]), seed);
        writeSeed(corpus, std::string("output-") + names[l] + "-select", 0x80 | 0x10 | 0x02 | 0x01,
                  outputFileText(seed, layouts[l], {LineBreaking::OneLine, ","}), seed);
        writeSeed(corpus, std::string("input-") + names[l], 0x01, inputFileText(seed, layouts[l]), seed);
    }
    return 0;
}
