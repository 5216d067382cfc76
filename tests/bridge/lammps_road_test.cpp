// The road through LAMMPS itself: physics of a settled bed of discs and of polygons (the
// figures bench/bridge/physics-report prints), the converted run in Sorvath's readers,
// exact disc angles, the ellipse example, a run on two MPI ranks, and LAMMPS failures.
#include "bridge/demrun_commands.h"
#include "bridge/dump_reader.h"
#include "bridge/lammps_input.h"
#include "bridge/packing_input.h"
#include "bridge/run_physics.h"
#include "tests/bridge/road_fixture.h"
#include "tests/bridge/sorvath_run.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>

namespace demrun {
namespace {

const double kPi = 3.14159265358979323846;

// 200 discs (Tessark rounds 199 up to 200... it is even already) in a 4 x 6 box.
const std::string kDiscControl = "1 2\n200 20000\n0.01 0.1 0.05 0.2\n0.0 0.0 4.0 6.0\n0\n";
// Settling with the lid still and frictionless walls, so the bottom carries the weight.
const std::string kSettleParams = "steps = 40000\ndump_every = 1000\nlid_speed = 0\nwall_friction = 0\n";

struct ContactStep {
    long step = 0;
    int ncont = 0;
    int nwcont = 0;
    std::vector<std::vector<double>> records;  // ip jp xc yc ang fn extra
};

std::vector<ContactStep> readContactFiles(const std::filesystem::path& run) {
    std::ifstream headers(run / "cont2.dat"), records(run / "cont.dat");
    std::vector<ContactStep> steps;
    ContactStep step;
    while (headers >> step.step >> step.ncont >> step.nwcont) {
        step.records.assign(static_cast<std::size_t>(step.ncont + step.nwcont), std::vector<double>(7));
        for (auto& record : step.records)
            for (double& value : record) records >> value;
        steps.push_back(step);
    }
    return steps;
}

// A few hundred particles settled with the lid still and frictionless walls, so that the
// bottom carries the weight: discs, and polygons (rigid clumps of discs, which settle
// more slowly). Each bed runs once for all tests that look at it.
struct Bed {
    const char* name;
    const char* control;
    const char* params;
};
const Bed kBeds[] = {
    {"discs", "1 2\n200 20000\n0.01 0.1 0.05 0.2\n0.0 0.0 4.0 6.0\n0\n", kSettleParams.c_str()},
    {"polygons", "0 1\n60 20000\n0.01 0.002 0.05 0.2\n0.0 0.0 2.5 2.5\n0\n5.0 1.5 3 8\n",
     "steps = 60000\ndump_every = 2000\nlid_speed = 0\nwall_friction = 0\n"},
};

void PrintTo(const Bed& bed, std::ostream* out) { *out << bed.name; }

std::filesystem::path settledBed(const Bed& bed) {
    struct Ran {
        std::unique_ptr<sorvath::testing::TempFolder> folder;
        bool ok = false;
        std::string failure;
    };
    static std::map<std::string, Ran> beds;
    Ran& ran = beds[bed.name];
    if (!ran.folder) {
        ran.folder = std::make_unique<sorvath::testing::TempFolder>();
        ran.ok = testing::road(ran.folder->path(), bed.control, bed.params, 1, ran.failure);
    }
    EXPECT_TRUE(ran.ok) << ran.failure;
    return ran.folder->path() / "run";
}

class SettledBed : public ::testing::TestWithParam<Bed> {};

TEST_P(SettledBed, WallsCarryTheWeightForcesBalanceAndTheBedIsAtRestInsideTheBox) {
    const PhysicsFigures f = measurePhysics(settledBed(GetParam()).string());
    EXPECT_NEAR(f.bottomShare, 1.0, 0.02);
    EXPECT_NEAR(f.wallsShare, 1.0, 0.02);
    EXPECT_GE(f.balancedShare, 0.9) << "within " << f.balanceTolerance << " of the weight";
    EXPECT_LT(f.kineticEnd, 1e-6 * f.kineticPeak) << f.kineticEnd << " of " << f.kineticPeak;
    EXPECT_EQ(f.outside, 0);
    EXPECT_GT(f.largestOverlap, 0.0);
    EXPECT_LT(f.largestOverlap, f.overlapLimit);
}

INSTANTIATE_TEST_SUITE_P(LammpsRoad, SettledBed, ::testing::ValuesIn(kBeds),
                         [](const ::testing::TestParamInfo<Bed>& info) { return std::string(info.param.name); });

class SettledDiscs : public ::testing::Test {
protected:
    static std::filesystem::path runFolder() { return settledBed(kBeds[0]); }
};

TEST_F(SettledDiscs, BottomWallCarriesTheWeightAndEachDiscHasThreeOrFourContacts) {
    const Packing packing = readPackingFile((runFolder() / "newin.dat").string());
    double weight = 0.0;
    for (const PackedParticle& p : packing.particles) weight += 2000.0 * kPi * p.a * p.a * 9.81;

    const testing::ViewedRun viewed = testing::viewRun(runFolder().string());
    ASSERT_TRUE(viewed.opened);
    ASSERT_GE(viewed.steps.size(), 2u);
    const testing::ViewedStep& last = viewed.steps.back();
    const testing::ViewedStep& before = viewed.steps[viewed.steps.size() - 2];
    // At rest: no disc moved by a hundredth of its radius over the last dump interval.
    for (std::size_t i = 1; i < last.poses.size(); ++i)
        ASSERT_LT(std::hypot(last.poses[i].x - before.poses[i].x, last.poses[i].y - before.poses[i].y),
                  1e-2 * packing.particles[i - 1].a)
            << "disc " << i;

    double bottom = 0.0;
    for (int k = last.ncont; k < last.ncont + last.nwcont; ++k) {
        const sorvath::Contact& c = last.contacts[static_cast<std::size_t>(k)];
        const sorvath::Pose& centre = last.poses[static_cast<std::size_t>(c.ip)];
        const double wallY = 2.0 * c.yc - centre.y;  // the contact point lies on the wall
        if (std::fabs(wallY) < 1e-9) bottom += c.fn;
    }
    EXPECT_NEAR(bottom / weight, 1.0, 0.02) << "bottom " << bottom << " weight " << weight;
    const double perParticle = (2.0 * last.ncont + last.nwcont) / static_cast<double>(packing.particles.size());
    EXPECT_GE(perParticle, 2.5);
    EXPECT_LE(perParticle, 4.5);
}

TEST_F(SettledDiscs, EveryStepOpensInSorvathAndShowsTheMeanOfItsForces) {
    const testing::ViewedRun viewed = testing::viewRun(runFolder().string());
    ASSERT_TRUE(viewed.opened);
    EXPECT_TRUE(viewed.allStepsRead);
    EXPECT_EQ(viewed.beeps, 0);
    for (const std::string& m : viewed.messages) {
        EXPECT_NE(m, "error at reading wllout.dat");
        EXPECT_NE(m, "error at reading cont2.dat");
    }
    const std::vector<ContactStep> written = readContactFiles(runFolder());
    // 41 dumps; the companions start at the third.
    ASSERT_EQ(written.size(), 39u);
    ASSERT_EQ(viewed.steps.size(), written.size());
    for (std::size_t s = 0; s < written.size(); ++s) {
        SCOPED_TRACE(written[s].step);
        EXPECT_EQ(viewed.steps[s].iloop, written[s].step);
        if (written[s].records.empty()) continue;
        double sum = 0.0;
        for (const auto& record : written[s].records) sum -= record[5];
        const double mean = sum / static_cast<double>(written[s].records.size());
        const std::string prefix = "average fn and average relative rotation are:";
        const std::string& message = viewed.steps[s].message;
        ASSERT_EQ(message.rfind(prefix, 0), 0u) << message;
        const double shown = std::stod(message.substr(prefix.size(), message.find(" and ") - prefix.size()));
        EXPECT_NEAR(shown, mean, 1e-9 * std::fabs(mean));
        EXPECT_GT(mean, 0.0);  // compression shows positive
    }
}

// The angles of a run dumped every 200 steps against the same run dumped at every step:
// the dipole's angle is exact at any interval, and the mean spin picks its turn.
TEST(LammpsRoad, DiscAnglesAreThoseOfTheRunDumpedAtEveryStep) {
    const std::string control = "1 2\n100 20000\n0.01 0.1 0.05 0.2\n0.0 0.0 2.0 3.0\n0\n";
    sorvath::testing::TempFolder coarse, fine;
    std::string failure;
    ASSERT_TRUE(testing::generatePacking(coarse.path(), control));
    for (const sorvath::testing::TempFolder* folder : {&coarse, &fine}) {
        if (folder == &fine) std::filesystem::copy_file(coarse.path() / "newin.dat", fine.path() / "newin.dat");
        const std::string every = folder == &fine ? "1" : "200";
        ASSERT_EQ(testing::prepare(folder->path(), "steps = 1000\ndump_every = " + every + "\n").status, 0);
        const testing::StageResult ran = testing::run(folder->path());
        ASSERT_EQ(ran.status, 0) << ran.err;
    }
    const AngleComparison c = compareFinalAngles((coarse.path() / "run").string(), (fine.path() / "run").string());
    EXPECT_LT(c.largestDifference, 0.01);
    EXPECT_GT(c.largestTurn, 1.0);  // the discs turned enough for the comparison to mean something
}

// The shipped ellipse example (400 ellipses) past the step where the rounded-polygon body
// model used to crash.
TEST(LammpsRoad, TheEllipseExampleRuns) {
    sorvath::testing::TempFolder folder;
    std::ifstream example(std::string(TOOLKIT_SOURCE_DIR) + "/examples/generator/ellipses.tessctrl.dat");
    const std::string control((std::istreambuf_iterator<char>(example)), std::istreambuf_iterator<char>());
    std::string failure;
    ASSERT_TRUE(testing::road(folder.path(), control, "steps = 12000\ndump_every = 400\n", 1, failure)) << failure;
    const testing::ViewedRun viewed = testing::viewRun((folder.path() / "run").string());
    EXPECT_TRUE(viewed.allStepsRead);
    EXPECT_EQ(viewed.steps.size(), 29u);
}

TEST(LammpsRoad, TwoRanksConvertIntoARunSorvathOpensLikeOneRank) {
    const std::string params = "steps = 3000\ndump_every = 500\n";
    sorvath::testing::TempFolder one, two;
    std::string failure;
    ASSERT_TRUE(testing::road(one.path(), kDiscControl, params, 1, failure)) << failure;
    ASSERT_TRUE(testing::road(two.path(), kDiscControl, params, 2, failure)) << failure;
    const testing::ViewedRun a = testing::viewRun((one.path() / "run").string());
    const testing::ViewedRun b = testing::viewRun((two.path() / "run").string());
    ASSERT_TRUE(b.opened);
    EXPECT_TRUE(b.allStepsRead);
    ASSERT_EQ(b.steps.size(), a.steps.size());
    for (std::size_t s = 0; s < a.steps.size(); ++s) {
        EXPECT_EQ(b.steps[s].iloop, a.steps[s].iloop);
        EXPECT_EQ(b.steps[s].poses.size(), a.steps[s].poses.size());
    }
    EXPECT_GT(b.steps.back().ncont, 0);
}

class ScopedPath {
public:
    explicit ScopedPath(const std::string& value) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        ::setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPath() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

TEST(LammpsRoad, MissingProgramsNameTheirDebianPackages) {
    sorvath::testing::TempFolder folder;
    ASSERT_TRUE(testing::generatePacking(folder.path(), kDiscControl));
    ASSERT_EQ(testing::prepare(folder.path(), "steps = 100\ndump_every = 50\n").status, 0);
    {
        ScopedPath path("/nonexistent");
        const testing::StageResult result = testing::run(folder.path());
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "demrun: lmp (LAMMPS) is not installed: install the Debian package 'lammps'\n");
    }
    // lmp alone, without mpirun: two ranks need openmpi-bin.
    const std::filesystem::path bin = folder.path() / "bin";
    std::filesystem::create_directories(bin);
    std::filesystem::create_symlink("/usr/bin/lmp", bin / "lmp");
    {
        ScopedPath path(bin.string());
        const testing::StageResult result = testing::run(folder.path(), 2);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "demrun: mpirun is not installed: install the Debian package 'openmpi-bin'\n");
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "run" / kParticleDump));
}

TEST(LammpsRoad, ALammpsErrorShowsItsLastLines) {
    sorvath::testing::TempFolder folder;
    ASSERT_TRUE(testing::generatePacking(folder.path(), kDiscControl));
    ASSERT_EQ(testing::prepare(folder.path(), "steps = 100\ndump_every = 50\n").status, 0);
    std::ofstream(folder.path() / "run" / kScriptFile, std::ios::app) << "fix broken all no_such_style\n";
    const testing::StageResult result = testing::run(folder.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("demrun: LAMMPS stopped after step 100 with exit status 1: ERROR: Unrecognized "
                              "fix style 'no_such_style'"),
              std::string::npos)
        << result.err;
}

TEST(LammpsRoad, BadPackingsStopPrepareBeforeAnyFileIsWritten) {
    const struct {
        const char* name;
        const char* newin;  // nullptr: no file
        const char* message;
    } cases[] = {
        {"missing", nullptr, "newin.dat: cannot be opened"},
        {"malformed", " 2 4 2e-6 0\n 0.1 0.1 2000 1000 5\n 1 1 zero\n",
         "a particle's first pose is not a number: 'zero'"},
        {"sloping wall",
         " 0\n 1 4 2e-6 0\n 0.1\n 1 1 0\n 1 1 0\n 0 4 0 0\n 0 0 4 1\n 4 0 4 4\n 4 4 0 4\n 1 2 3 4 5 6 7 8 9 1 2\n",
         "the walls must be the four sides of a rectangle"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sorvath::testing::TempFolder folder;
        if (c.newin) std::ofstream(folder.path() / "newin.dat") << c.newin;
        const testing::StageResult result = testing::prepare(folder.path(), "");
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "run" / kScriptFile));
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "run" / kDataFile));
    }
}

}  // namespace
}  // namespace demrun
