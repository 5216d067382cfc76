// A run far past the sizes the tables start with: read through the readers, then drawn.
#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/messages.h"
#include "viewer/draw/palette.h"
#include "viewer/draw/scene_picture.h"

#include <gtest/gtest.h>

namespace sorvath {
namespace {

using namespace testing;
using testing::ReaderBench;

constexpr int kParticles = 40000;
constexpr int kSide = 200;

// Three steps of a 200 x 200 lattice; the third (the one the first picture shows)
// also has its vertical neighbours in contact: 79,600 records.
ResultRun largeRun() {
    ResultRun run = latticeRun(kParticles, 3);
    Step& third = run.steps[2];
    for (int i = 0; i + kSide < kParticles; ++i) {
        const Pose& p = third.poses[static_cast<size_t>(i)];
        third.contacts.push_back({i + 1, i + 1 + kSide, p.x, p.y + 1.0, 1.5707963, -(1.0 + (i % 5)), 0.0});
    }
    return run;
}

class ViewerLargeRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        run_ = new ResultRun(largeRun());
        folder_ = new TempFolder;
        output_ = writeRun(folder_->path(), "out-0007.dat", *run_, RecordLayout::Long, false, true).string();
    }
    static void TearDownTestSuite() {
        delete folder_;
        delete run_;
    }
    bool open() {
        bench.options.contactDisplay = ContactDisplay::DrawLines;
        bench.options.colour = true;
        bench.prompter.paths = {output_};
        bench.prompter.answers = {false};
        return bench.reader.openOutputFile();
    }

    static inline ResultRun* run_ = nullptr;
    static inline TempFolder* folder_ = nullptr;
    static inline std::string output_;
    ReaderBench bench;
};

TEST_F(ViewerLargeRun, ReadsEveryParticleAndContactRecordAndDrawsThem) {
    ASSERT_TRUE(open()) << bench.log.messages.back();
    const Scene& scene = bench.scene;
    const size_t records = run_->steps[2].contacts.size();
    ASSERT_GE(records, 70000u);
    EXPECT_EQ(scene.nop, kParticles);
    EXPECT_EQ(scene.nctot, static_cast<int>(records));
    EXPECT_EQ(scene.particles[kParticles].current.x, run_->steps[2].poses.back().x);
    EXPECT_EQ(scene.contacts[records].jp, kParticles);
    EXPECT_EQ(scene.contacts[records].fn, -run_->steps[2].contacts.back().fn);

    ScenePicture picture;
    picture.setscale(scene);
    picture.drawscene(bench.scene, bench.options);
    // The last particle (top right) is drawn, and contact lines cross the top half,
    // far from the first ten thousand particles in the bottom quarter.
    const Pose& last = scene.particles[kParticles].current;
    const auto px = static_cast<int>(picture.pixelX(last.x));
    const auto py = static_cast<int>(picture.pixelY(last.y));
    EXPECT_NE(picture.image().pixel(px, py), palette::kBackground);
    int contactPixels = 0;
    for (int y = 0; y < picture.H0() / 2; ++y)
        for (int x = 0; x < picture.W0(); ++x) contactPixels += picture.image().pixel(x, y) == palette::kContactForce;
    EXPECT_GT(contactPixels, 1000);
}

TEST_F(ViewerLargeRun, AContactCountOneBeyondTheRecordsIsRefusedNamingTheFile) {
    const CompanionNames names = companionNamesFor("out-0007.dat");
    const std::string headers = folder_->file(names.contactHeaders);
    const std::string records = folder_->file(names.contactRecords);
    const int held = static_cast<int>(run_->steps[2].contacts.size());
    writeTextFile(headers, " 300 " + std::to_string(held + 1) + " 0\n");
    const bool opened = open();
    writeTextFile(headers, contactHeaderFileText(*run_));
    ASSERT_TRUE(opened);
    EXPECT_TRUE(bench.log.contains(records + ": step 300 names " + std::to_string(held + 1) +
                                   " contact records; the file ends after " + std::to_string(held)));
    EXPECT_TRUE(bench.log.contains(messages::kContactRecordError));
    EXPECT_EQ(bench.scene.nctot, 0);
}

}  // namespace
}  // namespace sorvath
