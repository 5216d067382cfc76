// The whole export under a private Xvfb server: the viewer's export loop writes the
// frames into a temporary program folder holding a link to flikkor, starts it there
// and drives it with real XTest keystrokes until it has made "tempanim.gif" and ended.
#include "tests/viewer/export/export_rig.h"
#include "tests/viewer/platform/xvfb_display.h"
#include "viewer/platform/x11_session.h"

#include "gifengine/gif_engine.h"
#include "recording_reporter.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace sorvath {
namespace {

namespace fs = std::filesystem;
using namespace test_support;
using test_support::XvfbDisplay;

testdata::ResultRun sixBlocks() {
    testdata::ResultRun run;
    run.shapes = {{1.0, 1.0, 20}, {1.0, 0.6, 6}};
    run.walls = {{0.0, 0.0, 12.0, 0.0}};
    for (int s = 1; s <= 6; ++s) {
        testdata::Step step;
        step.iloop = s;
        step.poses = {{1.0 + 0.7 * s, 3.0, 0.0}, {6.0, 8.0, 0.3 * s}};
        run.steps.push_back(step);
    }
    return run;
}

struct DecodedImage {
    std::vector<GifByteType> raster;  // colour indices, row by row
    std::vector<GifColorType> table;
    int width = 0;
    int height = 0;
};

std::vector<DecodedImage> decodeAll(const std::string& path) {
    std::vector<DecodedImage> images;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return images;
    if (DGifSlurp(gif) == GIF_OK) {
        for (int k = 0; k < gif->ImageCount; ++k) {
            const SavedImage& saved = gif->SavedImages[k];
            const ColorMapObject* map = saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap : gif->SColorMap;
            DecodedImage image;
            image.width = saved.ImageDesc.Width;
            image.height = saved.ImageDesc.Height;
            image.raster.assign(saved.RasterBits, saved.RasterBits + image.width * image.height);
            if (map != nullptr) image.table.assign(map->Colors, map->Colors + map->ColorCount);
            images.push_back(std::move(image));
        }
    }
    DGifCloseFile(gif, &error);
    return images;
}

std::vector<unsigned> pixelColours(const DecodedImage& image) {
    std::vector<unsigned> colours;
    for (GifByteType index : image.raster) {
        if (index >= image.table.size()) return {};
        const GifColorType& c = image.table[index];
        colours.push_back(static_cast<unsigned>(c.Red) << 16 | static_cast<unsigned>(c.Green) << 8 | c.Blue);
    }
    return colours;
}

// The compressed raster bytes of every image of a GIF file, as stored.
std::vector<std::vector<uint8_t>> storedRasters(const std::string& path) {
    gif_test::RecordingReporter messages;
    gifengine::GifEngine engine(messages);
    std::vector<std::vector<uint8_t>> rasters;
    if (engine.LoadGifFile(path) != 0) {
        ADD_FAILURE() << path << ": " << (messages.messages.empty() ? "" : messages.messages[0].text);
        return rasters;
    }
    for (int k = 0; k < engine.frames.count(); ++k) rasters.push_back(engine.frames[k].raster);
    return rasters;
}

bool processAlive(long long id) { return id > 0 && (kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM); }

// Sets an environment variable for the test and the programs it starts, and restores it.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(AssemblerEndToEnd, SixBlocksBecomeATempanimGifMadeByFlikkor) {
    if (!XvfbDisplay::installed()) GTEST_SKIP() << "Xvfb is not installed; the end-to-end export test is skipped";
    XvfbDisplay server;
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";

    ExportRig rig(sixBlocks());
    const fs::path folder = rig.programFolder.path();
    const fs::path bin = TOOLKIT_BIN_DIR;
    ASSERT_TRUE(fs::exists(bin / "flikkor")) << "flikkor has not been built";
    fs::create_symlink(bin / "flikkor", folder / "flikkor");
    if (fs::exists(bin / "sorvath")) fs::create_symlink(bin / "sorvath", folder / "sorvath");
    if (fs::exists(bin / "flikkor.htm")) fs::create_symlink(bin / "flikkor.htm", folder / "flikkor.htm");

    // flikkor browses and writes the program folder.
    testdata::TempFolder config;
    fs::create_directories(config.path() / "Quillbay");
    fs::create_directories(folder / "AnimTmp");
    testdata::writeTextFile(config.path() / "Quillbay" / "Flikkor.conf",
                            "[General]\nVersion=0.68\nReadDir=" + folder.string() + "\nWriteDir=" + folder.string() +
                                "\nWorkDir=" + (folder / "AnimTmp").string() + "\nComment=\nPaintSoft=\nViewer=\n");
    ScopedVariable display("DISPLAY", server.name());
    ScopedVariable configHome("XDG_CONFIG_HOME", config.path().string());

    std::unique_ptr<X11Session> x11 = X11Session::open(server.name());
    ASSERT_NE(x11, nullptr);
    x11->setSettle([](std::chrono::milliseconds d) { std::this_thread::sleep_for(d); },
                   std::chrono::milliseconds(400));  // margin for the sanitizer build
    ProcessLauncher launcher;
    rig.settings.assemblerWaitMs = 15000;
    rig.prompter.answers = {true};
    ExportPlatform platform{rig.converter, launcher, &x11->keySender(), &x11->windowActivator()};
    AnimationExport exporter(rig.scene, rig.options, rig.reader, rig.display, rig.picture, rig.log, rig.prompter,
                             platform, rig.settings);
    const ExportOutcome outcome = exporter.run(0);

    // flikkor ends after the last keystrokes; never wait for it without bound.
    const fs::path animation = folder / "tempanim.gif";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (processAlive(launcher.lastProcessId()) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const bool ended = !processAlive(launcher.lastProcessId());
    if (!ended) kill(static_cast<pid_t>(launcher.lastProcessId()), SIGKILL);

    ASSERT_EQ(outcome, ExportOutcome::AssemblerDriven) << (rig.log.messages.empty() ? "" : rig.log.messages.back());
    EXPECT_TRUE(ended) << "flikkor was still running 20 s after the keystrokes";
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif", "temp-103.gif"}));
    ASSERT_TRUE(fs::exists(animation)) << "flikkor did not make tempanim.gif in the program folder";
    // Flikkor copies each frame's compressed raster byte for byte.
    const std::vector<std::vector<uint8_t>> rasters = storedRasters(animation.string());
    ASSERT_EQ(rasters.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        const std::vector<std::vector<uint8_t>> frame =
            storedRasters((folder / ("temp-10" + std::to_string(k + 1) + ".gif")).string());
        ASSERT_EQ(frame.size(), 1u);
        EXPECT_EQ(rasters[static_cast<size_t>(k)], frame[0]) << "stored raster of image " << k;
    }
    // And an independent decoder sees the same pictures.
    const std::vector<DecodedImage> images = decodeAll(animation.string());
    ASSERT_EQ(images.size(), 3u) << "tempanim.gif holds another number of images";
    for (int k = 0; k < 3; ++k) {
        const std::vector<DecodedImage> frame = decodeAll((folder / ("temp-10" + std::to_string(k + 1) + ".gif")).string());
        ASSERT_EQ(frame.size(), 1u);
        EXPECT_EQ(images[static_cast<size_t>(k)].width, frame[0].width);
        EXPECT_EQ(images[static_cast<size_t>(k)].raster, frame[0].raster) << "image " << k;
        EXPECT_EQ(pixelColours(images[static_cast<size_t>(k)]), pixelColours(frame[0])) << "image " << k;
    }
}

}  // namespace
}  // namespace sorvath
