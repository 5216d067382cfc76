#include "tests/viewer/support/result_run_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>

namespace sorvath::testing {
namespace {

// The writer of the run files with this format and the shortest exact numbers.
class RunText {
public:
    explicit RunText(const TextFormat& format)
        : writer_(text_, runfiles::TextLayout{format.lines, format.separator, runfiles::NumberForm::Shortest}) {}
    runfiles::RecordWriter& out() { return writer_; }
    std::string finish() {
        writer_.finish();
        return std::move(text_);
    }

private:
    std::string text_;
    runfiles::RecordWriter writer_;
};

// The values the simulator writes around the tables.
runfiles::RunHead headOf(const ResultRun& run) {
    runfiles::RunHead head;
    head.dt = run.dt;
    head.perw = run.perw;
    head.perv = run.perv;
    head.nloop = run.nloop;
    head.parameters = {0.025, 9800.0, 0.5, 0.5, 0.0, 0.0, 9.6e8, 2.4e8};
    head.lastOldRecord = {2000.0, 1000.0};
    head.material = {2000.0, 1000.0};
    return head;
}

// The viewer reads the companions from the third output block on, the first picture.
std::vector<Step> companionSteps(const ResultRun& run) {
    if (run.steps.size() <= 2) return {};
    return std::vector<Step>(run.steps.begin() + 2, run.steps.end());
}

}  // namespace

std::string inputFileText(const ResultRun& run, RecordLayout layout, const TextFormat& format) {
    if (run.steps.empty()) throw std::invalid_argument("an input file needs one step of poses");
    const Step& first = run.steps[0];
    const Step& second = run.steps.size() > 1 ? run.steps[1] : run.steps[0];
    RunText text(format);
    runfiles::writeInputFile(text.out(), headOf(run), run.shapes, run.walls, first.poses, second.poses, layout);
    return text.finish();
}

std::string outputFileText(const ResultRun& run, RecordLayout layout, const TextFormat& format) {
    RunText text(format);
    runfiles::writeOutputHead(text.out(), headOf(run), run.shapes, run.walls, layout);
    for (const Step& step : run.steps) runfiles::writeStepBlock(text.out(), step.iloop, step.poses);
    return text.finish();
}

std::string wallFileText(const ResultRun& run, const TextFormat& format) {
    RunText text(format);
    for (const Step& step : companionSteps(run))
        runfiles::writeWallBlock(text.out(), step.iloop, step.walls.empty() ? run.walls : step.walls);
    return text.finish();
}

std::string contactHeaderFileText(const ResultRun& run, const TextFormat& format) {
    RunText text(format);
    for (const Step& step : companionSteps(run)) {
        const int total = static_cast<int>(step.contacts.size());
        const int ncont = step.ncont < 0 ? total : step.ncont;
        runfiles::writeContactHeader(text.out(), step.iloop, ncont, total - ncont);
    }
    return text.finish();
}

std::string contactRecordFileText(const ResultRun& run, const TextFormat& format) {
    RunText text(format);
    for (const Step& step : companionSteps(run)) runfiles::writeContactRecords(text.out(), step.contacts);
    return text.finish();
}

CompanionNames companionNamesFor(const std::string& outputName) {
    if (outputName == "output.dat") return {"wllout.dat", "cont.dat", "cont2.dat"};
    const std::string tag = outputName.size() >= 8 ? outputName.substr(4, outputName.size() - 8) : std::string();
    return {"wou-" + tag + ".dat", "cnt-" + tag + ".dat", "cn2-" + tag + ".dat"};
}

void writeTextFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::filesystem::path writeRun(const std::filesystem::path& folder, const std::string& outputName, const ResultRun& run,
                               RecordLayout layout, bool withWalls, bool withContacts, const TextFormat& format) {
    const std::filesystem::path output = folder / outputName;
    writeTextFile(output, outputFileText(run, layout, format));
    const CompanionNames names = companionNamesFor(outputName);
    if (withWalls) writeTextFile(folder / names.wall, wallFileText(run, format));
    if (withContacts) {
        writeTextFile(folder / names.contactRecords, contactRecordFileText(run, format));
        writeTextFile(folder / names.contactHeaders, contactHeaderFileText(run, format));
    }
    return output;
}

LargeRunFiles writeLatticeRunFiles(const std::filesystem::path& folder, const std::string& outputName, int particles,
                                   int steps, int nv, int contactSteps) {
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(particles))));
    const double pitch = 2.0;
    const double extent = side * pitch;
    const std::vector<Wall> walls = {
        {0.0, extent, 0.0, 0.0}, {0.0, 0.0, extent, 0.0}, {extent, 0.0, extent, extent}, {extent, extent, 0.0, extent}};
    std::vector<Shape> shapes;
    shapes.reserve(static_cast<size_t>(particles));
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> size(0.7, 0.95);
    for (int i = 0; i < particles; ++i) {
        const double a = size(random);
        shapes.push_back({a, a, nv});
    }
    runfiles::RunHead head;
    head.dt = 1.0e-6;
    head.perw = extent;
    head.nloop = 100.0 * steps;
    head.parameters = {0.025, 9800.0, 0.5, 0.5, 0.0, 0.0, 9.6e8, 2.4e8};
    head.material = {2000.0, 1000.0};

    LargeRunFiles files;
    files.output = folder / outputName;
    const CompanionNames names = companionNamesFor(outputName);
    std::ofstream output(files.output, std::ios::binary);
    std::ofstream wall(folder / names.wall, std::ios::binary);
    std::ofstream records(folder / names.contactRecords, std::ios::binary);
    std::ofstream headers(folder / names.contactHeaders, std::ios::binary);
    const auto flush = [](std::ofstream& file, std::string& text) {
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
    };
    std::string text;
    {
        runfiles::RecordWriter out(text);
        runfiles::writeOutputHead(out, head, shapes, walls, RecordLayout::Long);
    }
    flush(output, text);

    std::vector<Pose> poses(static_cast<size_t>(particles));
    std::vector<ContactRecord> contacts;
    std::vector<Wall> moved = walls;
    for (int s = 0; s < steps; ++s) {
        const long iloop = (s + 1) * 100L;
        for (int i = 0; i < particles; ++i) {
            const double x = (i % side + 0.5) * pitch + 0.01 * s;
            const double y = (i / side + 0.5) * pitch;
            poses[static_cast<size_t>(i)] = {x, y, (i % 3 - 1) * 0.01 * s};
        }
        {
            runfiles::RecordWriter out(text);
            runfiles::writeStepBlock(out, iloop, poses);
        }
        files.stepBytes = text.size();
        flush(output, text);
        // The companions start with the third block, the first picture.
        const int block = s - 2;
        if (block < 0) continue;
        moved[3].y1 = moved[3].y2 = extent - 0.001 * block;
        {
            runfiles::RecordWriter out(text);
            runfiles::writeWallBlock(out, iloop, moved);
        }
        flush(wall, text);
        if (contactSteps >= 0 && block >= contactSteps) continue;
        contacts.clear();
        for (int i = 0; i < particles; ++i) {
            const Pose& p = poses[static_cast<size_t>(i)];
            const double force = -(1.0 + (i % 7) + 0.001 * s);
            if ((i + 1) % side != 0 && i + 1 < particles)
                contacts.push_back({i + 1, i + 2, p.x + pitch / 2, p.y, 0.0, force, 0.0});
            if (i % 10 < 7 && i + side < particles)
                contacts.push_back({i + 1, i + side + 1, p.x, p.y + pitch / 2, kPi / 2, 0.5 * force, 0.0});
        }
        const int ncont = static_cast<int>(contacts.size());
        for (int i = 0; i < std::min(side, particles); ++i) {
            const Pose& p = poses[static_cast<size_t>(i)];
            contacts.push_back({i + 1, 0, p.x, 0.0, -kPi / 2, -2.0, 0.0});
        }
        files.contactRecords = static_cast<int>(contacts.size());
        {
            runfiles::RecordWriter out(text);
            runfiles::writeContactHeader(out, iloop, ncont, files.contactRecords - ncont);
        }
        flush(headers, text);
        {
            runfiles::RecordWriter out(text);
            runfiles::writeContactRecords(out, contacts);
        }
        files.contactStepBytes = text.size();
        flush(records, text);
    }
    for (std::ofstream* file : {&output, &wall, &records, &headers}) {
        file->close();
        if (!*file) throw std::runtime_error("cannot write the run beside " + files.output.string());
    }
    return files;
}

ResultRun fourBlockRun() {
    ResultRun run;
    run.shapes = {{1.0, 1.0, 20}};
    run.walls = {{0.0, 0.0, 8.0, 0.0}};
    for (int s = 1; s <= 4; ++s) {
        Step step;
        step.iloop = s;
        step.poses = {{1.0 + s, 2.0, 0.1 * s}};
        run.steps.push_back(step);
    }
    return run;
}

ResultRun latticeRun(int particles, int steps, int nv) {
    ResultRun run;
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(particles))));
    const double pitch = 2.0;
    const double extent = side * pitch;
    run.walls = {
        {0.0, extent, 0.0, 0.0}, {0.0, 0.0, extent, 0.0}, {extent, 0.0, extent, extent}, {extent, extent, 0.0, extent}};
    run.perw = extent;
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> size(0.7, 0.95);
    for (int i = 0; i < particles; ++i) {
        const double a = size(random);
        run.shapes.push_back({a, a * 0.8, nv});
    }
    for (int s = 0; s < steps; ++s) {
        Step step;
        step.iloop = (s + 1) * 100;
        step.poses.reserve(static_cast<size_t>(particles));
        for (int i = 0; i < particles; ++i) {
            const double x = (i % side + 0.5) * pitch + 0.01 * s;
            const double y = (i / side + 0.5) * pitch;
            const double theta = (i % 3 - 1) * 0.01 * s;  // clockwise, unchanged, counter-clockwise
            step.poses.push_back({x, y, theta});
        }
        for (int i = 0; i + 1 < particles; ++i) {
            if ((i + 1) % side == 0) continue;
            const Pose& p = step.poses[static_cast<size_t>(i)];
            step.contacts.push_back({i + 1, i + 2, p.x + pitch / 2, p.y, 0.0, -(1.0 + (i % 7)), 0.0});
        }
        run.steps.push_back(std::move(step));
    }
    return run;
}

TempFolder::TempFolder() {
    static std::mt19937_64 random{std::random_device{}()};
    for (;;) {
        path_ = std::filesystem::temp_directory_path() / ("sorvath-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path_)) return;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace sorvath::testing
