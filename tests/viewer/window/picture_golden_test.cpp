// Sorvath's pictures pinned byte for byte. Each run below is opened through Form1's
// menu commands, set up through its buttons (one view of kViews), stepped with the step
// button or the animation timer, reset, exported and printed; every picture becomes a
// line "case<TAB>size<TAB>BLAKE2b-256" compared with picture_golden.txt beside this file
// (BLAKE2b: Qt computes it several times faster than SHA-256).
// Hashed are the picture box as the screen shows it (grabbed, RGB888 pixels), the
// export's temp-N.gif files as written, and the two prints' PDF pages as pdftoppm
// renders them at 96 dpi (the PDF bytes carry dates and a random document id).
//
// A change that is meant to alter the pictures writes the table anew; review its diff:
//   SORVATH_GOLDEN_WRITE=$PWD/tests/viewer/window/picture_golden.txt build/tests/viewer/window/sorvath_window_test
//     --gtest_filter='SorvathPictureGolden.*'     (one command line, from the project root)
#include "tests/viewer/window/window_bench.h"
#include "viewer/window/animation_gif_making.h"

#include <QAbstractButton>
#include <QCryptographicHash>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

namespace sorvath {
namespace {

namespace fs = std::filesystem;
using testing::ResultRun;

using Table = std::map<std::string, std::string>;  // case -> "size<TAB>blake2b"

std::string blake2b(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256).toHex().toStdString();
}

std::string imageEntry(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3));
    return std::to_string(rgb.width()) + "x" + std::to_string(rgb.height()) + "\t" +
           hash.result().toHex().toStdString();
}

std::string fileEntry(const fs::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) return "missing";
    const QByteArray bytes = file.readAll();
    return std::to_string(bytes.size()) + "B\t" + blake2b(bytes);
}

// At 96 dpi a pixel of the rough print's picture (15 twips) is a pixel of the page.
std::string pageEntry(const std::string& pdf) {
    QProcess::execute("pdftoppm", {"-r", "96", "-png", "-singlefile", QString::fromStdString(pdf), "page"});
    const QImage page("page.png");
    return page.isNull() ? std::string("not rendered (is pdftoppm there?)") : imageEntry(page);
}

// Runs are opened by relative names from inside their folder, so the path in the
// high-quality print's heading is the same wherever the test runs.
struct Bench : testing::WindowBench {
    fs::path start = fs::current_path();
    Bench() { fs::current_path(folder.path()); }
    ~Bench() { fs::current_path(start); }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    void press(const char* name) const { control<QAbstractButton>(name)->click(); }
    std::string shown() const { return imageEntry(control<QWidget>("Picture1")->grab().toImage()); }
};

void openExample(Bench& b, const char* name) {
    for (const char* file : {"output.dat", "wllout.dat", "cont.dat", "cont2.dat", "input.dat"})
        fs::copy_file(fs::path(TOOLKIT_SOURCE_DIR) / "examples/viewer" / file, b.folder.path() / file);
    std::string(name) == "input.dat" ? b.openInputFile(name) : b.openOutputFile(name, true);
}

void openRun(Bench& b, const ResultRun& run, bool mountWalls = false) {
    testing::writeRun(b.folder.path(), "out-0001.dat", run, testing::RecordLayout::Long, true, true);
    b.openOutputFile("out-0001.dat", mountWalls);
}

// The run writer's 4 x 4 lattice (ellipses turning, horizontal contacts), reshaped; 11
// step blocks give nskip 3 two full ticks from the first picture (block 3).
ResultRun lattice(const std::function<void(ResultRun&)>& reshape) {
    ResultRun run = testing::latticeRun(16, 11);
    reshape(run);
    return run;
}

ResultRun contactsRun() {
    return lattice([](ResultRun& run) {
        for (size_t s = 0; s < run.steps.size(); ++s) {
            testing::Step& step = run.steps[s];
            for (int i = 0; i + 4 < 16; ++i) {
                const Pose& p = step.poses[static_cast<size_t>(i)];
                const double force = -(0.5 + 0.4 * static_cast<double>((i * 5 + static_cast<int>(s)) % 9));
                step.contacts.push_back({i + 1, i + 5, p.x, p.y + 1.0, -1.5707963, force, 0.0});
            }
            step.ncont = static_cast<int>(step.contacts.size());
            for (int c = 0; c < 4; ++c) {  // the bottom row on the floor
                const Pose& p = step.poses[static_cast<size_t>(c)];
                step.contacts.push_back({c + 1, 0, p.x, p.y / 2.0, -3.1415927, -0.3 - c, 0.0});
            }
        }
    });
}

// 2,000 particles of every outline, large enough on the lattice to overlap their
// neighbours deeply, turning all three ways, with contacts: a later particle's fill
// covers an earlier one's, whatever their colours.
ResultRun overlapsRun() {
    ResultRun run = testing::latticeRun(2000, 11);
    for (size_t i = 0; i < run.shapes.size(); ++i) {
        const double a = 1.2 + 0.9 * static_cast<double>((i * 7) % 11) / 10.0;
        run.shapes[i] = {a, (0.5 + 0.05 * static_cast<double>(i % 10)) * a, 3 + static_cast<int>((i * 5) % 23)};
    }
    return run;
}

struct RunCase {
    const char* name;
    std::function<void(Bench&)> open;
    bool output = true;  // an input file has one picture
};

const std::vector<RunCase>& runs() {
    static const std::vector<RunCase> all = {
        {"example_output", [](Bench& b) { openExample(b, "output.dat"); }},
        {"example_input", [](Bench& b) { openExample(b, "input.dat"); }, false},
        {"lattice_input",
         [](Bench& b) {
             const ResultRun run = testing::latticeRun(16, 2);
             testing::writeTextFile("input.dat", testing::inputFileText(run, testing::RecordLayout::Long));
             b.openInputFile("input.dat");
         },
         false},
        {"discs",
         [](Bench& b) {
             openRun(b, lattice([](ResultRun& r) {
                         for (auto& s : r.shapes) s.b = s.a;
                     }));
         }},
        {"ellipses",
         [](Bench& b) {
             openRun(b, lattice([](ResultRun& r) {
                         for (auto& s : r.shapes) s = {s.a, 0.55 * s.a, 24};
                     }));
         }},
        {"polygons",
         [](Bench& b) {
             openRun(b, lattice([](ResultRun& r) {
                         for (size_t i = 0; i < r.shapes.size(); ++i)
                             r.shapes[i] = {r.shapes[i].a, r.shapes[i].a, 3 + static_cast<int>(i % 5)};
                     }));
         }},
        {"periodic",
         [](Bench& b) {
             openRun(b, lattice([](ResultRun& r) {
                         r.walls = {r.walls[1], r.walls[3]};  // floor and lid only
                         r.perv = 3000.0;                     // the images move 0.3 a step block
                     }));
         }},
        {"walls_moving",
         [](Bench& b) {
             const ResultRun run = lattice([](ResultRun& r) {
                 for (size_t s = 0; s < r.steps.size(); ++s) {
                     r.steps[s].walls = r.walls;
                     r.steps[s].walls[3].y1 = r.steps[s].walls[3].y2 = 8.0 - 0.15 * static_cast<double>(s);
                     r.steps[s].walls[2].x1 = r.steps[s].walls[2].x2 = 8.0 + 0.1 * static_cast<double>(s);
                 }
             });
             openRun(b, run, true);
         }},
        {"contacts", [](Bench& b) { openRun(b, contactsRun()); }},
        {"overlaps", [](Bench& b) { openRun(b, overlapsRun()); }},
    };
    return all;
}

struct View {
    const char* name;
    std::vector<const char*> buttons;  // pressed in order after opening
    bool timer = false;                // stepped by the animation timer instead of the step button
    const char* ratio = nullptr;       // typed into the ratio box
};

const std::vector<View> kViews = {
    {"default", {}},
    {"zoom_in", {"Command3"}},
    {"zoom_out", {"Command4"}},
    {"pan_up", {"Command6"}},
    {"pan_down", {"Command7"}},
    {"pan_left", {"Command8"}},
    {"pan_right", {"Command9"}},
    {"original_size", {"Command3", "Command9", "Command5"}},
    {"colour", {"Command22"}},
    {"periodic", {"Command20"}},
    {"lines", {"Option2"}},
    {"lines_rotation", {"Option2", "Command24"}},
    {"grain_select", {"Option3", "Command23"}, false, "1.2"},
    {"nskip0", {"Command12"}, true},
    {"nskip3", {"Command17", "Command17", "Command17", "Command12"}, true},
};

void addPictures(Table& table) {
    for (const RunCase& run : runs()) {
        for (const View& view : kViews) {
            if (!run.output && view.timer) continue;
            Bench b;
            run.open(b);
            if (view.ratio) b.dialogs->texts.push_back(std::string(view.ratio));
            for (const char* button : view.buttons) b.press(button);
            const std::string name = std::string(run.name) + "/" + view.name + "/";
            if (!run.output) {
                table[name + "picture"] = b.shown();
                continue;
            }
            // True while the step number moves on.
            auto advance = [&b, &view] {
                const QString before = b.label("Label3");
                view.timer ? b.form->Timer1_Timer() : b.press("Command11");
                return b.label("Label3") != before;
            };
            table[name + "step1"] = b.shown();
            advance();
            table[name + "step2"] = b.shown();
            for (int k = 0; k < 1000; ++k)
                if (!advance()) break;
            table[name + "last"] = b.shown();
            b.press("Command13");
            table[name + "reset"] = b.shown();
        }
    }
}

// The frames the export writes for the run with contact lines and colours.
void addExport(Table& table) {
    Bench b;
    AnimationGifMaking making(*b.form);
    b.openOutput(contactsRun());  // by its full path: the frames go beside it
    b.press("Command22");
    b.press("Option2");
    b.dialogs->answers.push_back(true);
    b.action("m31")->trigger();
    for (const fs::directory_entry& entry : fs::directory_iterator(b.folder.path() / "animation"))
        table["export/" + entry.path().filename().string()] = fileEntry(entry.path());
}

void addPrints(Table& table) {
    Bench b;
    openExample(b, "output.dat");
    for (const char* button : {"Command22", "Command3", "Command11"}) b.press(button);
    for (const auto& [command, name] : {std::pair{"m13", "rough"}, std::pair{"m14", "high_quality"}}) {
        b.dialogs->pdfPath = std::string(name) + ".pdf";
        b.action(command)->trigger();
        table[std::string("print/") + name] = pageEntry(b.dialogs->pdfPath);
    }
}

Table readTable(const fs::path& path) {
    Table table;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) table[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return table;
}

TEST(SorvathPictureGolden, PicturesExportFramesAndPrintsMatchTheTable) {
    Table actual;
    addPictures(actual);
    addExport(actual);
    addPrints(actual);
    if (const char* path = std::getenv("SORVATH_GOLDEN_WRITE")) {
        std::ofstream file(path);
        for (const auto& [name, entry] : actual) file << name << '\t' << entry << '\n';
        file.close();
        ASSERT_TRUE(file) << "cannot write " << path;
        GTEST_SKIP() << "wrote " << actual.size() << " entries to " << path;
    }
    const Table expected = readTable(fs::path(TOOLKIT_SOURCE_DIR) / "tests/viewer/window/picture_golden.txt");
    Table all = expected;
    all.insert(actual.begin(), actual.end());
    std::ostringstream changed;
    int count = 0;
    for (const auto& entry : all) {
        const std::string& name = entry.first;
        const std::string want = expected.count(name) ? expected.at(name) : "(not in the table)";
        const std::string got = actual.count(name) ? actual.at(name) : "(not made)";
        if (want != got && ++count <= 40) changed << "  " << name << ": " << want << " -> " << got << '\n';
    }
    EXPECT_EQ(count, 0) << "of " << all.size() << " cases these differ (the first 40 listed):\n" << changed.str();
}

}  // namespace
}  // namespace sorvath
