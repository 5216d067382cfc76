// "Animation GIF making" from Form1's menu on the offscreen platform: the frames
// land in "animation/" beside the run and the log explains that flikkor cannot be driven.
#include "tests/viewer/window/window_bench.h"
#include "viewer/export/export_messages.h"
#include "viewer/window/animation_gif_making.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace sorvath {
namespace {

TEST(Form1AnimationGifMaking, MenuCommandExportsBesideTheRun) {
    testing::WindowBench bench;
    AnimationGifMaking making(*bench.form);
    bench.openOutput(testing::fourBlockRun());
    const std::filesystem::path folder = bench.folder.path() / "animation";

    bench.dialogs->answers.push_back(true);
    bench.action("m31")->trigger();
    EXPECT_TRUE(std::filesystem::exists(folder / "temp-101.gif"));
    EXPECT_FALSE(std::filesystem::exists(folder / "temp-102.gif"));
    EXPECT_EQ(bench.newestMessage().toStdString().substr(bench.newestMessage().indexOf(']') + 1),
              export_messages::kNoDisplay + folder.string());
    EXPECT_EQ(bench.label("Label3"), "4");
}

// The frames have the picture's size: a window grown before the export gives larger
// frames, and the window keeps its size while it exports.
TEST(Form1AnimationGifMaking, FramesHaveThePicturesCurrentSize) {
    testing::WindowBench bench;
    AnimationGifMaking making(*bench.form);
    bench.openOutput(testing::fourBlockRun());
    bench.form->show();
    const QSize laidOut = bench.form->size();
    bench.form->resize(laidOut + QSize(120, 40));
    QApplication::processEvents();

    bench.dialogs->answers.push_back(true);
    bench.action("m31")->trigger();
    std::ifstream frame(bench.folder.path() / "animation" / "temp-101.gif", std::ios::binary);
    unsigned char head[10] = {};
    frame.read(reinterpret_cast<char*>(head), sizeof head);
    EXPECT_EQ(head[6] | head[7] << 8, 533 + 120);
    EXPECT_EQ(head[8] | head[9] << 8, 533 + 40);
    EXPECT_EQ(bench.form->size(), laidOut + QSize(120, 40));
    EXPECT_EQ(bench.form->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST(Form1AnimationGifMaking, TheFixedKeyPauseIsOffUnlessTheEnvironmentAsksForIt) {
    unsetenv("SORVATH_KEY_SETTLE_MS");
    EXPECT_EQ(AnimationGifMaking::keySettleFromEnvironment(), std::chrono::milliseconds(0));
    for (const auto& [text, expected] : std::vector<std::pair<const char*, int>>{
             {"250", 250}, {"0", 0}, {"", 0}, {"abc", 0}, {"25x", 0}, {"-5", 0}, {"20000", 0}}) {
        setenv("SORVATH_KEY_SETTLE_MS", text, 1);
        EXPECT_EQ(AnimationGifMaking::keySettleFromEnvironment(), std::chrono::milliseconds(expected)) << text;
    }
    unsetenv("SORVATH_KEY_SETTLE_MS");
}

}  // namespace
}  // namespace sorvath

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
