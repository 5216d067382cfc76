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
