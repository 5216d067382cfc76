#include "bridge/run_conversion.h"
#include "bridge/demrun_commands.h"
#include "bridge/lammps_input.h"
#include "bridge/run_markers.h"
#include "tests/bridge/hand_run.h"
#include "tests/bridge/sorvath_run.h"
#include "tests/bridge/synthetic_run.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/scratch_folder.h"
#include "tests/viewer/support/result_run_writer.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>
#include <sstream>

namespace demrun {
namespace {

const double kHalfPi = 1.57079632679489661923;

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int convert(const std::filesystem::path& folder, std::string& err) {
    std::ostringstream out, errors;
    const int status = convertCommand({folder.string()}, out, errors);
    err = errors.str();
    return status;
}

// End points of the force segment the viewer draws for a contact.
struct Segment {
    double x1, y1, x2, y2;
};
Segment drawnSegment(const sorvath::Contact& c, double aIp, double aJp) {
    const double h = (aIp + aJp) / 2.0;
    const double psi = c.ang + kHalfPi;
    return {c.xc - h * std::cos(psi), c.yc - h * std::sin(psi), c.xc + h * std::cos(psi), c.yc + h * std::sin(psi)};
}

TEST(RunConversion, WritesTheViewersFourFilesInTheirLayouts) {
    sorvath::testing::TempFolder folder;
    testing::HandRun run(folder.path());
    std::string err;
    ASSERT_EQ(convert(folder.path(), err), 0) << err;
    const std::string output = fileText(folder.path() / "output.dat");
    // Header, parameter block, walls, filler, shapes, then the first step block.
    EXPECT_EQ(output.substr(0, output.find(" 0\n 1 1 2 0.1\n")),
              " 3 4 0.01 0 0 0 0\n 300\n 0.01 9.81\n 0.5 0.5 0\n 0 1000 285.7142857\n"
              " 1 0 4 0 0 0 0\n 2 0 0 4 0 0 0\n 3 4 0 4 4 0 0\n 4 4 4 0 4 0 0\n 0 0 0 0\n"
              " 1 0.5 0.5 0 0 20\n 2 0.5 0.5 0 0 20\n 3 0.25 0.25 0 0 20\n");
    // Companions start at the third step block (step 200).
    EXPECT_EQ(fileText(folder.path() / "cont2.dat"), " 200 1 1\n 300 1 1\n");
    EXPECT_EQ(fileText(folder.path() / "wllout.dat"),
              " 200\n 1 0 0 4 0\n 2 0 4 0 0\n 3 4 4 0 4\n 4 4 0 3 3\n"
              " 300\n 1 0 0 4 0\n 2 0 4 0 0\n 3 4 4 0 4\n 4 4 0 2.5 2.5\n");
    // Compressive forces are written negative; the viewer turns them positive.
    EXPECT_EQ(fileText(folder.path() / "cont.dat"),
              " 1 2 1.5 2 -1.570796327 -12 5\n 3 0 2 0.125 -3.141592654 -5 1.5\n"
              " 1 2 1.5 2 -1.570796327 -14 6\n 3 0 2 0.125 -3.141592654 -7 1.5\n");
}

// The four files of a synthetic run of 84 discs, pinned byte for byte by their FNV-1a
// hashes: making the conversion faster or leaner must not change a byte of what it
// writes. Split over three ranks (ids and pairs out of order) the run gives the same files.
TEST(RunConversion, ASyntheticRunConvertsToTheSameBytes) {
    const auto fnv1a = [](const std::string& text) {
        std::uint64_t hash = 14695981039346656037ULL;
        for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        return hash;
    };
    const std::uint64_t pinned[4] = {0xc3ff33af593f23e5ULL, 0xd2beb940913f15ffULL, 0x90b93a31560e1279ULL,
                                     0xc1e743adf848fe2eULL};
    for (const int ranks : {1, 3}) {
        SCOPED_TRACE(std::to_string(ranks) + " rank(s)");
        sorvath::testing::TempFolder folder;
        testing::writeSyntheticRun(folder.path(), {12, 7, 6, ranks});
        std::string err;
        ASSERT_EQ(convert(folder.path(), err), 0) << err;
        int k = 0;
        for (const char* name : {kOutputFile, kWallFile, kContactHeaderFile, kContactRecordFile}) {
            char shown[32];
            std::snprintf(shown, sizeof shown, "0x%016" PRIx64 "ULL", fnv1a(fileText(folder.path() / name)));
            EXPECT_EQ(fnv1a(fileText(folder.path() / name)), pinned[k++]) << name << " hashes to " << shown;
        }
    }
}

TEST(RunConversion, DiscAnglesAreTheDipoleAnglesInTheTurnTheMeanSpinGives) {
    sorvath::testing::TempFolder folder;
    testing::HandRun run(folder.path());
    std::string err;
    ASSERT_EQ(convert(folder.path(), err), 0) << err;
    // The first block holds the packing's own angles (after the head: header, parameter
    // block, four walls, filler, three shapes); Sorvath reads blocks 3 and 4 as steps.
    std::ifstream output(folder.path() / "output.dat");
    std::string line;
    for (int skip = 0; skip < 1 + 4 + 4 + 1 + 3; ++skip) std::getline(output, line);
    long step = -1;
    double index = 0, x = 0, y = 0, theta = 0;
    ASSERT_TRUE(output >> step >> index >> x >> y >> theta);
    EXPECT_EQ(step, 0);
    EXPECT_EQ(theta, testing::kAngle1[0]);
    const testing::ViewedRun viewed = testing::viewRun(folder.path().string());
    ASSERT_TRUE(viewed.opened);
    ASSERT_EQ(viewed.steps.size(), 2u);
    EXPECT_NEAR(viewed.steps[0].poses[1].theta, testing::kAngle1[2], 1e-12);
    EXPECT_NEAR(viewed.steps[1].poses[1].theta, testing::kAngle1[3], 1e-12);
    EXPECT_NEAR(viewed.steps[1].poses[2].theta, 0.0, 1e-12);
}

TEST(RunConversion, SorvathShowsTheMeanForceAndSegmentsJoiningTheCentres) {
    sorvath::testing::TempFolder folder;
    testing::HandRun run(folder.path());
    std::string err;
    ASSERT_EQ(convert(folder.path(), err), 0) << err;
    const testing::ViewedRun viewed = testing::viewRun(folder.path().string());
    ASSERT_TRUE(viewed.opened);
    EXPECT_TRUE(viewed.allStepsRead);
    EXPECT_EQ(viewed.beeps, 0);
    ASSERT_EQ(viewed.steps.size(), 2u);
    for (std::size_t s = 0; s < viewed.steps.size(); ++s) {
        const testing::ViewedStep& step = viewed.steps[s];
        SCOPED_TRACE(step.iloop);
        ASSERT_EQ(step.ncont, 1);
        ASSERT_EQ(step.nwcont, 1);
        EXPECT_DOUBLE_EQ(step.contacts[0].fn, testing::kPairForce[s + 2]);
        EXPECT_DOUBLE_EQ(step.contacts[1].fn, testing::kWallForce[s + 2]);
        // Pair segment: centre of 1 to centre of 2; wall segment: centre of 3 to the wall.
        const Segment pair = drawnSegment(step.contacts[0], 0.5, 0.5);
        EXPECT_NEAR(pair.x1, step.poses[1].x, 1e-9);
        EXPECT_NEAR(pair.y1, step.poses[1].y, 1e-9);
        EXPECT_NEAR(pair.x2, step.poses[2].x, 1e-9);
        EXPECT_NEAR(pair.y2, step.poses[2].y, 1e-9);
        const Segment wall = drawnSegment(step.contacts[1], 0.25, 0.0);
        EXPECT_NEAR(wall.x1, 2.0, 1e-9);
        EXPECT_NEAR(wall.y1, 0.25, 1e-9);
        EXPECT_NEAR(wall.x2, 2.0, 1e-9);
        EXPECT_NEAR(wall.y2, 0.0, 1e-9);
    }
    // The statistics line of step 200: mean of 12 and 5; relative rotation |0 - (6.1 - 2.1)|.
    EXPECT_EQ(viewed.steps[0].message, "average fn and average relative rotation are:8.5 and 4");
    EXPECT_DOUBLE_EQ(viewed.steps[1].walls[4].y1, 2.5);
}

TEST(RunConversion, PerRankDumpsJoinIntoTheSameRun) {
    sorvath::testing::TempFolder whole, split;
    testing::HandRun one(whole.path());
    testing::HandRun two(split.path());
    // Rank 0 writes particles 3 and 1, rank 1 particle 2, every step.
    std::filesystem::remove(split.path() / kParticleDump);
    std::istringstream lines(testing::HandRun::particleDump());
    std::ofstream rank0(split.path() / "dump.particles.0"), rank1(split.path() / "dump.particles.1");
    std::string line;
    int row = 0;
    while (std::getline(lines, line)) {
        if (line == "3") {
            rank0 << "2\n";
            rank1 << "1\n";
            continue;
        }
        const bool dataRow = line.find("ITEM") == std::string::npos && std::count(line.begin(), line.end(), ' ') > 4;
        if (!dataRow) {
            rank0 << line << "\n";
            rank1 << line << "\n";
            continue;
        }
        (row++ % 3 == 2 ? rank1 : rank0) << line << "\n";
    }
    rank0.close();
    rank1.close();
    std::string err;
    ASSERT_EQ(convert(whole.path(), err), 0) << err;
    ASSERT_EQ(convert(split.path(), err), 0) << err;
    for (const char* name : {"output.dat", "wllout.dat", "cont2.dat", "cont.dat"})
        EXPECT_EQ(fileText(split.path() / name), fileText(whole.path() / name)) << name;
}

void replaceFirst(const std::filesystem::path& path, const std::string& from, const std::string& to) {
    std::string text = fileText(path);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary) << text;
}

void writeMarker(const std::filesystem::path& path, long pid) {
    std::ofstream(path) << "pid = " << pid << "\nrun_stamp = " << testing::kRunStamp << "\n";
}

void keepTwoDumps(const std::filesystem::path& f) {
    for (const char* name : {kParticleDump, kPairDump}) {
        const std::string text = fileText(f / name);
        std::ofstream(f / name, std::ios::binary) << text.substr(0, text.find("ITEM: TIMESTEP\n200"));
    }
}

// Each refusal leaves the folder as it was: the four files of an earlier conversion
// byte for byte with their permissions, the inputs, and nothing new.
TEST(RunConversion, RefusalsNameTheReasonAndChangeNoFile) {
    const struct {
        const char* name;
        std::function<void(const std::filesystem::path&)> spoil;
        const char* message;
        rlim_t fileSizeLimit = 0;  // a full disk after this many bytes of a file
    } cases[] = {
        {"particle dump cut short",
         [](const std::filesystem::path& f) {
             const std::string text = testing::HandRun::particleDump();
             std::ofstream(f / kParticleDump, std::ios::binary) << text.substr(0, text.size() - 40);
         },
         "ends in the middle of a step block (timestep 300)"},
        {"pair dump missing", [](const std::filesystem::path& f) { std::filesystem::remove(f / kPairDump); },
         "dump.pairs: no such dump"},
        {"particle dump is a FIFO",
         [](const std::filesystem::path& f) {
             std::filesystem::remove(f / kParticleDump);
             ::mkfifo((f / kParticleDump).c_str(), 0600);
         },
         "dump.particles: cannot be opened (not a regular file)"},
        {"fewer dumps than set up", keepTwoDumps, "dump.particles: holds 2 dumps of 4; the run did not complete"},
        {"fewer dumps of a killed run",
         [](const std::filesystem::path& f) {
             keepTwoDumps(f);
             writeMarker(f / kRunningMarker, testing::endedProcessId());
         },
         "stopped before its end)"},
        {"run still writing the dumps",
         [](const std::filesystem::path& f) { writeMarker(f / kRunningMarker, static_cast<long>(::getpid())); },
         ") is still writing the dumps; convert the run when it has ended"},
        {"dumps of another preparation",
         [](const std::filesystem::path& f) { std::ofstream(f / kStampFile) << "run_stamp = earlier\n"; },
         "the dumps belong to another preparation (run stamp earlier in demrun.stamp, hand-run in demrun.setup)"},
        {"prepared again, not run", [](const std::filesystem::path& f) { std::filesystem::remove(f / kStampFile); },
         "the dumps are not from a run of this preparation"},
        {"packing of another particle count",
         [](const std::filesystem::path& f) {
             std::ofstream(f / kPackingCopy)
                 << " 0\n 2 4 2e-6 0\n 0.5\n 1 2 0.1\n 1 2 0.1\n 0.5\n 2 2 0\n 2 2 0\n"
                    " 0 4 0 0\n 0 0 4 0\n 4 0 4 4\n 4 4 0 4\n 400\n 0 0\n 0 0 0\n 0 0 0\n 0 0\n";
         },
         "timestep 0 holds 3 discs, the prepared packing 2: the dumps are not of this packing"},
        {"setup missing", [](const std::filesystem::path& f) { std::filesystem::remove(f / kSetupFile); },
         "demrun.setup: cannot be opened (No such file or directory)"},
        // Disc 1's row of the first step names another id.
        {"id that is no integer",
         [](const std::filesystem::path& f) { replaceFirst(f / kParticleDump, "\n1 1 2 ", "\n1e300 1 2 "); },
         "dump.particles: timestep 0: particle id 1e+300 is not a whole number from 1 to 3"},
        {"id between two ids",  // rounding would take it for disc 1
         [](const std::filesystem::path& f) { replaceFirst(f / kParticleDump, "\n1 1 2 ", "\n1.4 1 2 "); },
         "dump.particles: timestep 0: particle id 1.4 is not a whole number from 1 to 3"},
        {"repeated id", [](const std::filesystem::path& f) { replaceFirst(f / kParticleDump, "\n1 1 2 ", "\n2 1 2 "); },
         "dump.particles: timestep 0: particle id 2 is repeated"},
        // The second step of both dumps at 2^31: one past what the viewer reads.
        {"timestep beyond 32 bits",
         [](const std::filesystem::path& f) {
             replaceFirst(f / kParticleDump, "TIMESTEP\n100\n", "TIMESTEP\n2147483648\n");
             replaceFirst(f / kPairDump, "TIMESTEP\n100\n", "TIMESTEP\n2147483648\n");
         },
         "dump.particles: timestep 2147483648 is beyond the viewer's step numbers (-2147483648 .. 2147483647)"},
        {"read-only output file",
         [](const std::filesystem::path& f) {
             std::filesystem::permissions(f / kOutputFile, std::filesystem::perms(0444));
         },
         "output.dat: cannot be written (Permission denied)"},
        {"read-only contact records",
         [](const std::filesystem::path& f) {
             std::filesystem::permissions(f / kContactRecordFile, std::filesystem::perms(0444));
         },
         "cont.dat: cannot be written (Permission denied)"},
        {"disk full", [](const std::filesystem::path&) {}, "output.dat: cannot be written (File too large)", 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        toolkit::testing::ScratchFolder folder;
        testing::HandRun run(folder.path());
        std::string err;
        ASSERT_EQ(convert(folder.path(), err), 0) << err;
        c.spoil(folder.path());
        const auto before = testing::folderState(folder.path());
        {
            std::optional<toolkit::testing::FileSizeLimit> full;
            if (c.fileSizeLimit > 0) full.emplace(c.fileSizeLimit);
            EXPECT_EQ(convert(folder.path(), err), 1);
        }
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(err.rfind("demrun: ", 0), 0u) << err;
        // Never a temporary file's name ("name.part<pid>" or ".name.<pid>.XXXXXX").
        EXPECT_FALSE(std::regex_search(err, std::regex(R"(\.part[0-9]|\.[0-9]+\.[A-Za-z0-9]{6}\b)"))) << err;
        EXPECT_EQ(testing::folderState(folder.path()), before);
    }
}

TEST(RunConversion, LeftoversOfKilledProcessesAreRemovedAndACutOffConversionIsNamed) {
    toolkit::testing::ScratchFolder folder;
    testing::HandRun run(folder.path());
    const long ended = testing::endedProcessId();
    const std::string own = std::to_string(::getpid());
    const std::vector<std::string> killed = {"output.dat.part" + std::to_string(ended),
                                             ".cont2.dat." + std::to_string(ended) + ".Ab12Cd"};
    const std::vector<std::string> live = {"cont.dat.part" + own, "output.dat.partial"};
    for (const auto& name : killed) folder.write(name, "cut");
    for (const auto& name : live) folder.write(name, "kept");
    writeMarker(folder.path() / kConvertingMarker, ended);
    std::ostringstream out, err;
    ASSERT_EQ(convertCommand({folder.path().string()}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("was cut off between its renames; the four files now belong together again"),
              std::string::npos)
        << out.str();
    for (const auto& name : killed) EXPECT_FALSE(std::filesystem::exists(folder.path() / name)) << name;
    for (const auto& name : live) EXPECT_TRUE(std::filesystem::exists(folder.path() / name)) << name;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / kConvertingMarker));
}

}  // namespace
}  // namespace demrun
