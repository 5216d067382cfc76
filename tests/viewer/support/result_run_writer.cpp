#include "tests/viewer/support/result_run_writer.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>

namespace sorvath::testdata {
namespace {

std::string number(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string number(int value) { return std::to_string(value); }

// Collects records and lays their fields out on lines.
class RecordText {
public:
    explicit RecordText(const TextFormat& format) : format_(format) {}

    template <typename... Fields>
    void record(Fields... fields) {
        const std::string texts[] = {number(fields)...};
        for (const std::string& text : texts) field(text);
        if (format_.lines == LineBreaking::RecordPerLine) endLine();
    }

    std::string finish() {
        endLine();
        return std::move(text_);
    }

private:
    void field(const std::string& text) {
        if (lineOpen_ && format_.lines == LineBreaking::FieldPerLine) endLine();
        // Every line starts with one blank, as the simulator writes.
        text_ += lineOpen_ ? format_.separator : std::string(" ");
        text_ += text;
        lineOpen_ = true;
    }
    void endLine() {
        if (!lineOpen_) return;
        text_ += '\n';
        lineOpen_ = false;
    }

    const TextFormat& format_;
    std::string text_;
    bool lineOpen_ = false;
};

int nwallOf(const ResultRun& run) { return static_cast<int>(run.walls.size()); }
int nopOf(const ResultRun& run) { return static_cast<int>(run.shapes.size()); }

void parameterBlock(RecordText& out, const ResultRun& run, RecordLayout layout) {
    out.record(run.nloop);
    out.record(0.025, 9800.0);
    out.record(0.5, 0.5, 0.0);
    out.record(0.0, 9.6e8, 2.4e8);
    if (layout == RecordLayout::Old) out.record(2000.0, 1000.0);
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
    RecordText out(format);
    if (layout == RecordLayout::Old) out.record(0);
    out.record(nopOf(run), nwallOf(run), run.dt, 0);
    for (size_t i = 0; i < run.shapes.size(); ++i) {
        const Shape& shape = run.shapes[i];
        if (layout == RecordLayout::Old) {
            out.record(shape.a);
        } else if (layout == RecordLayout::Long) {
            out.record(shape.a, shape.b, 2000.0, 1000.0, shape.nv);
        } else {
            out.record(shape.a, shape.b, 2000.0, 1000.0);
        }
        out.record(first.poses.at(i).x, first.poses.at(i).y, first.poses.at(i).theta);
        out.record(second.poses.at(i).x, second.poses.at(i).y, second.poses.at(i).theta);
    }
    for (const Wall& wall : run.walls) {
        out.record(wall.x1, wall.y1, wall.x2, wall.y2);
        if (layout != RecordLayout::Old) out.record(2000.0, 1000.0);
    }
    parameterBlock(out, run, layout);
    return out.finish();
}

std::string outputFileText(const ResultRun& run, RecordLayout layout, const TextFormat& format) {
    RecordText out(format);
    if (layout == RecordLayout::Old) out.record(0);
    out.record(nopOf(run), nwallOf(run), run.dt, 0, 0, run.perw, run.perv);
    parameterBlock(out, run, layout);
    for (int j = 0; j < nwallOf(run); ++j) {
        const Wall& wall = run.walls[static_cast<size_t>(j)];
        if (layout == RecordLayout::Old) {
            out.record(j + 1, wall.x1, wall.y1, wall.x2, wall.y2);
        } else {
            out.record(j + 1, wall.x1, wall.y1, wall.x2, wall.y2, 2000.0, 1000.0);
        }
    }
    if (layout != RecordLayout::Old) out.record(0.0, 0.0, 0.0, 0.0);
    for (int i = 0; i < nopOf(run); ++i) {
        const Shape& shape = run.shapes[static_cast<size_t>(i)];
        if (layout == RecordLayout::Old) {
            out.record(i + 1, shape.a);
        } else if (layout == RecordLayout::Long) {
            out.record(i + 1, shape.a, shape.b, 2000.0, 1000.0, shape.nv);
        } else {
            out.record(i + 1, shape.a, shape.b, 2000.0, 1000.0);
        }
    }
    for (const Step& step : run.steps) {
        out.record(static_cast<int>(step.iloop));
        for (size_t i = 0; i < step.poses.size(); ++i) {
            out.record(static_cast<int>(i + 1), step.poses[i].x, step.poses[i].y, step.poses[i].theta);
        }
    }
    return out.finish();
}

std::string wallFileText(const ResultRun& run, const TextFormat& format) {
    RecordText out(format);
    for (const Step& step : companionSteps(run)) {
        out.record(static_cast<int>(step.iloop));
        const std::vector<Wall>& walls = step.walls.empty() ? run.walls : step.walls;
        for (size_t j = 0; j < walls.size(); ++j) {
            out.record(static_cast<int>(j + 1), walls[j].x1, walls[j].x2, walls[j].y1, walls[j].y2);
        }
    }
    return out.finish();
}

std::string contactHeaderFileText(const ResultRun& run, const TextFormat& format) {
    RecordText out(format);
    for (const Step& step : companionSteps(run)) {
        const int total = static_cast<int>(step.contacts.size());
        const int ncont = step.ncont < 0 ? total : step.ncont;
        out.record(static_cast<int>(step.iloop), ncont, total - ncont);
    }
    return out.finish();
}

std::string contactRecordFileText(const ResultRun& run, const TextFormat& format) {
    RecordText out(format);
    for (const Step& step : companionSteps(run)) {
        for (const ContactRecord& c : step.contacts) out.record(c.ip, c.jp, c.xc, c.yc, c.ang, c.fn, c.extra);
    }
    return out.finish();
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

}  // namespace sorvath::testdata
