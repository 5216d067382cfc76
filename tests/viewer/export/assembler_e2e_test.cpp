// The whole export under a private Xvfb server: the viewer's export loop writes the
// frames into "animation/" beside the run, starts flikkor (a link in a temporary
// program folder) on that folder and drives it with real XTest keystrokes until it
// has made "tempanim.gif" and ended; flikkor's settings name some other folder.
// A flikkor that was already running must never be touched, and a flikkor that shows
// no window must get no key at all.
#include "tests/packaging/shell.h"
#include "tests/viewer/export/export_rig.h"
#include "tests/viewer/platform/xvfb_display.h"
#include "viewer/draw/scale_state.h"
#include "viewer/export/export_folder.h"
#include "viewer/export/export_messages.h"
#include "viewer/platform/x11_session.h"

#include "gifengine/gif_engine.h"
#include "recording_reporter.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <QPoint>
// After GoogleTest: Xlib defines None as a macro.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sorvath {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using testing::XvfbDisplay;

testing::ResultRun blocks(int count) {
    testing::ResultRun run;
    run.shapes = {{1.0, 1.0, 20}, {1.0, 0.6, 6}};
    run.walls = {{0.0, 0.0, 12.0, 0.0}};
    for (int s = 1; s <= count; ++s) {
        testing::Step step;
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
    gifengine::testing::RecordingReporter messages;
    gifengine::GifEngine engine(messages);
    std::vector<std::vector<uint8_t>> rasters;
    if (engine.LoadGifFile(path) != 0) {
        ADD_FAILURE() << path << ": " << (messages.messages.empty() ? "" : messages.messages[0].text);
        return rasters;
    }
    for (int k = 0; k < engine.frames.count(); ++k) rasters.push_back(engine.frames[k].raster);
    return rasters;
}

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

// A window of another program that the user works in; it counts the keys it receives.
class UserWindow {
public:
    explicit UserWindow(const std::string& display) {
        display_ = XOpenDisplay(display.c_str());
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 300, 300, 200, 100, 0, 0, 0);
        XStoreName(display_, window_, "Notes");
        XSelectInput(display_, window_, KeyPressMask);
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    ~UserWindow() { XCloseDisplay(display_); }
    WindowId id() const { return window_; }
    int keysReceived() {
        XSync(display_, False);
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == KeyPress) ++keys_;
        }
        return keys_;
    }

private:
    Display* display_ = nullptr;
    Window window_ = 0;
    int keys_ = 0;
};

// Starts programs as the viewer does and keeps their process ids for the clean-up.
class TrackingLauncher : public ProcessLauncher {
public:
    ProcessId startDetached(const LaunchRequest& request) override {
        const ProcessId id = ProcessLauncher::startDetached(request);
        if (id != 0) started.push_back(id);
        return id;
    }
    ~TrackingLauncher() override {
        for (ProcessId id : started)
            if (isRunning(id)) kill(static_cast<pid_t>(id), SIGKILL);
    }
    std::vector<ProcessId> started;
};

// A private X server, a program folder with flikkor in it, and flikkor's settings
// naming another folder to browse and write in.
class ExportEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!XvfbDisplay::installed()) GTEST_SKIP() << "Xvfb is not installed; the end-to-end export test is skipped";
        server_ = std::make_unique<XvfbDisplay>();
        ASSERT_FALSE(server_->name().empty()) << "Xvfb did not start";
        display_ = std::make_unique<ScopedVariable>("DISPLAY", server_->name());
        configHome_ = std::make_unique<ScopedVariable>("XDG_CONFIG_HOME", config_.path().string());
        x11_ = X11Session::open(server_->name());
        ASSERT_NE(x11_, nullptr);
        ASSERT_TRUE(fs::exists(bin_ / "flikkor")) << "flikkor has not been built";
    }

    // The rig's program folder with flikkor (or a stand-in) in it.
    void prepare(ExportRig& rig, const fs::path& flikkor) {
        const fs::path folder = rig.programFolder.path();
        fs::create_symlink(flikkor, folder / "flikkor");
        if (fs::exists(bin_ / "flikkor.htm")) fs::create_symlink(bin_ / "flikkor.htm", folder / "flikkor.htm");
        fs::create_directories(config_.path() / "elsewhere");
        writeSettings(config_.path(), config_.path() / "elsewhere");
        // Generous for the sanitizer build; a time-out only ever stops the keys.
        rig.settings.assemblerWaitMs = 30000;
    }

    static void writeSettings(const fs::path& configHome, const fs::path& folder) {
        fs::create_directories(configHome / "Quillbay");
        fs::create_directories(folder / "AnimTmp");
        testing::writeTextFile(configHome / "Quillbay" / "Flikkor.conf",
                               "[General]\nVersion=0.68\nReadDir=" + folder.string() + "\nWriteDir=" + folder.string() +
                                   "\nWorkDir=" + (folder / "AnimTmp").string() + "\nComment=\nPaintSoft=\nViewer=\n");
    }

    ExportOutcome runExport(ExportRig& rig, int nskip = 0) {
        rig.prompter.answers = {true};
        ExportPlatform platform{rig.converter, launcher_, &x11_->keySender(), &x11_->windowActivator(),
                                [this](std::chrono::milliseconds time) {
                                    ++pauses_;
                                    std::this_thread::sleep_for(time);
                                }};
        AnimationExport exporter(rig.session, rig.display, platform, rig.settings);
        return exporter.run(nskip);
    }

    // Waits until the process shows a window; 0 after the time-out.
    WindowId windowOf(ProcessId process, std::chrono::seconds limit = std::chrono::seconds(30)) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            const std::vector<WindowId> windows = x11_->windowActivator().windowsOfProcess(process);
            if (!windows.empty()) return windows.front();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return 0;
    }

    bool focus(WindowId window) {
        x11_->windowActivator().requestFocus(window);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (x11_->windowActivator().focusedWindow().id != window) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    // Every image of the animation holds the raster of the frame file of the same number,
    // byte for byte as stored and decoded alike.
    static void expectFramesInAnimation(const fs::path& folder, int frames) {
        const fs::path animation = folder / "tempanim.gif";
        const std::vector<std::vector<uint8_t>> rasters = storedRasters(animation.string());
        const std::vector<DecodedImage> images = decodeAll(animation.string());
        ASSERT_EQ(rasters.size(), static_cast<size_t>(frames));
        ASSERT_EQ(images.size(), static_cast<size_t>(frames));
        for (int k = 0; k < frames; ++k) {
            const std::string frame = (folder / ("temp-" + std::to_string(101 + k) + ".gif")).string();
            const std::vector<std::vector<uint8_t>> stored = storedRasters(frame);
            const std::vector<DecodedImage> decoded = decodeAll(frame);
            ASSERT_EQ(stored.size(), 1u);
            ASSERT_EQ(decoded.size(), 1u);
            EXPECT_EQ(rasters[static_cast<size_t>(k)], stored[0]) << "stored raster of image " << k;
            EXPECT_EQ(images[static_cast<size_t>(k)].width, decoded[0].width);
            EXPECT_EQ(images[static_cast<size_t>(k)].raster, decoded[0].raster) << "image " << k;
            EXPECT_EQ(pixelColours(images[static_cast<size_t>(k)]), pixelColours(decoded[0])) << "image " << k;
        }
    }

    const fs::path bin_ = TOOLKIT_BIN_DIR;
    testing::TempFolder config_;
    std::unique_ptr<XvfbDisplay> server_;
    std::unique_ptr<ScopedVariable> display_;
    std::unique_ptr<ScopedVariable> configHome_;
    std::unique_ptr<X11Session> x11_;
    TrackingLauncher launcher_;
    int pauses_ = 0;
};

TEST_F(ExportEndToEnd, OnlyTheNewFlikkorIsDrivenWhileAnotherOneKeepsItsFrames) {
    // The user's own flikkor, already running with two frames in its list and the focus.
    testing::TempFolder decoyFolder;
    testing::TempFolder decoyConfig;
    for (const char* name : {"own-1.gif", "own-2.gif"}) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(qRgb(200, 30, 30));
        testing::writeTextFile(decoyFolder.file(name), encodeGif(image).value());
    }
    writeSettings(decoyConfig.path(), decoyFolder.path());
    LaunchRequest own;
    own.program = (bin_ / "flikkor").string();
    own.workingDirectory = decoyFolder.path().string();
    own.environment = {{"QT_QPA_PLATFORM", "xcb"}, {"XDG_CONFIG_HOME", decoyConfig.path().string()}};
    const ProcessId decoy = launcher_.startDetached(own);
    ASSERT_NE(decoy, 0);
    const WindowId decoyWindow = windowOf(decoy);
    ASSERT_NE(decoyWindow, 0u);
    ASSERT_TRUE(focus(decoyWindow));
    for (const char* keys : {"{TAB}", "{Down}", "{UP}", "+{Down}", "{TAB 7}", "{enter}"})
        ASSERT_TRUE(x11_->keySender().send(keys));

    ExportRig rig(blocks(6));
    prepare(rig, bin_ / "flikkor");
    const ExportOutcome outcome = runExport(rig);
    ASSERT_EQ(outcome, ExportOutcome::AnimationMade) << rig.log.messages.back();
    const fs::path folder = rig.exportFolder();
    EXPECT_EQ(rig.log.messages.back(), "Animation GIF is made: " + (folder / "tempanim.gif").string() + " (3 frames)");
    EXPECT_EQ(std::count(rig.log.messages.begin(), rig.log.messages.end(), export_messages::kDriving), 1);
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif", "temp-103.gif"}));
    ASSERT_EQ(launcher_.started.size(), 2u);
    EXPECT_FALSE(launcher_.isRunning(launcher_.started[1]));
    expectFramesInAnimation(folder, 3);

    // The other flikkor still runs with its window and its frames: closing it asks first.
    EXPECT_TRUE(launcher_.isRunning(decoy));
    EXPECT_TRUE(x11_->windowActivator().isShown(decoyWindow));
    EXPECT_FALSE(fs::exists(decoyFolder.path() / "tempanim.gif"));
    ASSERT_TRUE(focus(decoyWindow));
    ASSERT_TRUE(x11_->keySender().send("%{F4}"));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    WindowInfo question;
    while (std::chrono::steady_clock::now() < deadline &&
           (question = x11_->windowActivator().focusedWindow()).id == decoyWindow)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(question.process, decoy);
    EXPECT_EQ(question.caption.rfind("Reelwright:確認", 0), 0u) << question.caption;
}

TEST_F(ExportEndToEnd, FourStepBlocksGiveOneFrameAndAOneImageAnimation) {
    ExportRig rig(blocks(4));
    prepare(rig, bin_ / "flikkor");
    const ExportOutcome outcome = runExport(rig);
    ASSERT_EQ(outcome, ExportOutcome::AnimationMade) << rig.log.messages.back();
    EXPECT_EQ(rig.frameFiles(), std::vector<std::string>{"temp-101.gif"});
    EXPECT_EQ(rig.log.messages.back(), "Animation GIF is made: " + rig.animationPath() + " (1 frames)");
    expectFramesInAnimation(rig.exportFolder(), 1);
}

TEST_F(ExportEndToEnd, AThousandFramesComeOutInFrameOrder) {
    // temp-1000.gif .. temp-1100.gif must not come before temp-101.gif.
    ExportRig rig(blocks(1003));
    prepare(rig, bin_ / "flikkor");
    rig.settings.assemblerWaitPerFrameMs = 50;
    const ExportOutcome outcome = runExport(rig);
    ASSERT_EQ(outcome, ExportOutcome::AnimationMade) << rig.log.messages.back();
    EXPECT_EQ(rig.log.messages.back(), "Animation GIF is made: " + rig.animationPath() + " (1000 frames)");
    expectFramesInAnimation(rig.exportFolder(), 1000);
}

TEST_F(ExportEndToEnd, TheSaveDialogTakesAnOddRunFolderAsItStands) {
    const std::string odd = "it's a+b%c^(d){e}~ \xE3\x82\xA2\xE3\x83\x8B\xE3\x83\xA1";
    ExportRig rig(blocks(5), false, ContactDisplay::No, odd);
    prepare(rig, bin_ / "flikkor");
    ASSERT_EQ(runExport(rig), ExportOutcome::AnimationMade) << rig.log.messages.back();
    expectFramesInAnimation(rig.exportFolder(), 2);
}

TEST_F(ExportEndToEnd, AFlikkorThatShowsNoWindowGetsNoKeyAndTheViewerCarriesOn) {
    ExportRig rig(blocks(5));
    const fs::path standIn = rig.runFolder.path() / "windowless";
    testing::writeTextFile(standIn, "#!/bin/sh\nexec sleep 60\n");
    fs::permissions(standIn, fs::perms::owner_all);
    prepare(rig, standIn);
    rig.settings.assemblerWaitMs = 1000;
    UserWindow notes(server_->name());
    ASSERT_TRUE(focus(notes.id()));

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(runExport(rig), ExportOutcome::FramesOnly);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    ASSERT_EQ(launcher_.started.size(), 1u);
    EXPECT_EQ(notes.keysReceived(), 0);
    EXPECT_EQ(rig.log.messages.back(),
              std::string(export_messages::kKeysStopped) + "no window of the flikkor just started (process " +
                  std::to_string(launcher_.started[0]) + ") appeared within 1 s, so no key was sent" +
                  export_messages::kFramesAreIn + rig.exportFolder().string());
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif"}));
    EXPECT_GT(pauses_, 20);  // the viewer's own events ran during the wait

    // The viewer is still usable: the next export starts over and asks again.
    const size_t questions = rig.prompter.questions.size();
    rig.prompter.answers = {false};
    ExportPlatform platform{rig.converter, launcher_, &x11_->keySender(), &x11_->windowActivator()};
    AnimationExport again(rig.session, rig.display, platform, rig.settings);
    EXPECT_EQ(again.run(0), ExportOutcome::Declined);
    EXPECT_EQ(rig.prompter.questions.size(), questions + 1);
    EXPECT_EQ(rig.scene.iloop, 3);
}

// "sorvath --gif" against the window's export of the same run with the same view:
// the same frame files and the same tempanim.gif, byte for byte. The command runs
// with no display at all.
struct CommandLineCase {
    const char* name;
    int particles;
    int nv;  // 20: discs (a = 0.8 b: ellipses drawn as 20-gons), 6: hexagons
    ContactDisplay contacts;
    float ratio;
    bool colour;
    bool periodic;
    int zoom;  // presses of "Zoom In" (negative: "Zoom Out")
    int nskip;
    int pictureSide;
    std::string arguments;  // the same view for the command line
};

class CommandLineExport : public ExportEndToEnd, public ::testing::WithParamInterface<CommandLineCase> {};

std::map<std::string, std::string> gifFilesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".gif")
            files[entry.path().filename().string()] = toolkit::testing::readFile(entry.path());
    return files;
}

TEST_P(CommandLineExport, MakesTheWindowsFramesAndAnimationByteForByte) {
    const CommandLineCase& c = GetParam();
    const testing::ResultRun run = latticeRun(c.particles, 12, c.nv);
    const bool contacts = c.contacts != ContactDisplay::No;

    ExportRig rig(run, true, c.contacts, {}, c.pictureSide);
    prepare(rig, bin_ / "flikkor");
    rig.options.ratio = c.ratio;
    rig.options.colour = c.colour;
    rig.options.periodic = c.periodic;
    for (int k = 0; k < std::abs(c.zoom); ++k) rig.session.zoom(c.zoom > 0);
    ASSERT_EQ(runExport(rig, c.nskip), ExportOutcome::AnimationMade) << rig.log.messages.back();

    testing::TempFolder commandFolder;
    testing::TempFolder cache;
    const fs::path output =
        testing::writeRun(commandFolder.path(), "out-0007.dat", run, testing::RecordLayout::Long, true, contacts);
    const toolkit::testing::CommandResult made = toolkit::testing::runCommand(
        "env -u DISPLAY -u WAYLAND_DISPLAY XDG_CACHE_HOME=" + toolkit::testing::shellQuoted(cache.path()) + " " +
        toolkit::testing::shellQuoted(bin_ / "sorvath") + " --gif " + toolkit::testing::shellQuoted(output) + " " +
        c.arguments);
    ASSERT_EQ(made.status, 0) << made.output;
    const fs::path animation = commandFolder.path() / "animation" / "tempanim.gif";
    EXPECT_EQ(made.output, animation.string() + "\n");

    const std::map<std::string, std::string> byWindow = gifFilesIn(rig.exportFolder());
    const std::map<std::string, std::string> byCommand = gifFilesIn(animation.parent_path());
    ASSERT_GT(byWindow.size(), 3u);
    EXPECT_EQ(byCommand.size(), byWindow.size());
    for (const auto& [name, bytes] : byWindow) {
        const auto same = byCommand.find(name);
        ASSERT_NE(same, byCommand.end()) << name;
        EXPECT_TRUE(same->second == bytes) << name << " differs";
    }
    EXPECT_TRUE(fs::is_empty(cache.path()));
}

INSTANTIATE_TEST_SUITE_P(
    WindowAndCommandLine, CommandLineExport,
    ::testing::Values(CommandLineCase{"DiscsWithWallsAndContactLines", 36, 20, ContactDisplay::DrawLines, 1.0f, true,
                                      false, 1, 1, kPictureWidth, "--lines --color --zoom 1 --every 2"},
                      CommandLineCase{"PolygonsWithGrainSelection", 25, 6, ContactDisplay::GrainSelect, 1.5f, false,
                                      true, -1, 0, 200, "--select 1.5 --periodic --zoom -1 --size 200x200"}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return std::string(info.param.name); });

// Names, sizes and kinds of everything under a folder.
std::string treeListing(const fs::path& folder) {
    std::string listing;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        listing += entry.path().lexically_relative(folder).string();
        listing += entry.is_regular_file() ? " " + std::to_string(entry.file_size()) + "\n" : "/\n";
    }
    return listing;
}

// Where the picture shows in the window, searched near the window's top left corner
// on the screen (the window may reach beyond the screen's edge).
std::optional<QPoint> pictureInWindow(const std::string& displayName, WindowId window, const QImage& picture) {
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) return std::nullopt;
    const Window root = DefaultRootWindow(display);
    int left = 0;
    int top = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child);
    const int width = std::min(picture.width() + 40, DisplayWidth(display, DefaultScreen(display)) - left);
    const int height = std::min(picture.height() + 100, DisplayHeight(display, DefaultScreen(display)) - top);
    XImage* shot = width > 0 && height > 0 ? XGetImage(display, root, left, top, static_cast<unsigned>(width),
                                                       static_cast<unsigned>(height), AllPlanes, ZPixmap)
                                           : nullptr;
    std::optional<QPoint> found;
    for (int oy = 0; shot != nullptr && !found && oy + picture.height() <= height; ++oy)
        for (int ox = 0; !found && ox + picture.width() <= width; ++ox) {
            bool same = true;
            for (int y = 0; same && y < picture.height(); ++y)
                for (int x = 0; same && x < picture.width(); ++x)
                    same = (XGetPixel(shot, ox + x, oy + y) & 0xFFFFFFu) == (picture.pixel(x, y) & 0xFFFFFFu);
            if (same) found = QPoint(ox, oy);
        }
    if (shot != nullptr) XDestroyImage(shot);
    XCloseDisplay(display);
    return found;
}

// The toolkit installed as `cmake --install` puts it, bin/ made read-only, with the
// user's cache in a temporary folder and flikkor's settings naming another folder.
class InstalledRoad : public ExportEndToEnd {
protected:
    static void SetUpTestSuite() {
        prefix_ = new testing::TempFolder;
        install_ = toolkit::testing::runCommand(toolkit::testing::shellQuoted(CMAKE_COMMAND) + " --install " +
                                                toolkit::testing::shellQuoted(BUILD_DIR) + " --prefix " +
                                                toolkit::testing::shellQuoted(prefix_->path()));
        fs::permissions(bin(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    static void TearDownTestSuite() {
        fs::permissions(bin(), fs::perms::owner_write, fs::perm_options::add);
        delete prefix_;
    }
    static fs::path bin() { return prefix_->path() / "bin"; }

    void SetUp() override {
        ExportEndToEnd::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(install_.status, 0) << install_.output;
        cacheHome_ = std::make_unique<ScopedVariable>("XDG_CACHE_HOME", cache_.path().string());
        fs::create_directories(config_.path() / "elsewhere");
        writeSettings(config_.path(), config_.path() / "elsewhere");
        binBefore_ = treeListing(bin());
    }
    void TearDown() override {
        if (binBefore_.empty()) return;
        EXPECT_EQ(treeListing(bin()), binBefore_) << "something was written into bin/";
        // No navigation by hand, and flikkor made nothing in the folder its settings name.
        for (const auto& entry : fs::directory_iterator(config_.path() / "elsewhere"))
            EXPECT_EQ(entry.path().filename(), "AnimTmp");
    }

    // The export as the installed sorvath makes it: flikkor from its own bin/, the
    // cache folder from the environment.
    ExportOutcome exportFromInstall(ExportRig& rig) {
        rig.settings.programFolder = bin().string();
        rig.settings.cacheFolder = sorvathCacheFolder();
        rig.settings.assemblerWaitMs = 30000;
        return runExport(rig);
    }

    static testing::TempFolder* prefix_;
    static toolkit::testing::CommandResult install_;
    testing::TempFolder cache_;
    std::unique_ptr<ScopedVariable> cacheHome_;
    std::string binBefore_;
};
testing::TempFolder* InstalledRoad::prefix_ = nullptr;
toolkit::testing::CommandResult InstalledRoad::install_;

TEST_F(InstalledRoad, TheAnimationIsMadeBesideAWritableRun) {
    ExportRig rig(blocks(6));
    ASSERT_EQ(exportFromInstall(rig), ExportOutcome::AnimationMade) << rig.log.messages.back();
    EXPECT_EQ(rig.log.messages.back(), "Animation GIF is made: " + rig.animationPath() + " (3 frames)");
    expectFramesInAnimation(rig.exportFolder(), 3);
    EXPECT_TRUE(fs::is_empty(cache_.path()));
}

TEST_F(InstalledRoad, TheAnimationOfAReadOnlyRunIsMadeInTheCache) {
    ExportRig rig(blocks(6));
    fs::permissions(rig.runPath, fs::perms::owner_read | fs::perms::owner_exec);
    const fs::path folder = cache_.path() / "sorvath" / (rig.runFolder.path().filename().string() + "-out-0007");
    const ExportOutcome outcome = exportFromInstall(rig);
    fs::permissions(rig.runPath, fs::perms::owner_all);
    ASSERT_EQ(outcome, ExportOutcome::AnimationMade) << rig.log.messages.back();
    EXPECT_EQ(rig.log.messages.back(), "Animation GIF is made: " + (folder / "tempanim.gif").string() + " (3 frames)");
    expectFramesInAnimation(folder, 3);
    EXPECT_FALSE(fs::exists(rig.exportFolder()));
}

TEST_F(InstalledRoad, SorvathOpensTheRunNamedOnItsCommandLine) {
    testing::TempFolder runFolder;
    const testing::ResultRun run = blocks(5);
    testing::writeRun(runFolder.path(), "output.dat", run, testing::RecordLayout::Long, true, false);
    LaunchRequest start;
    start.program = (bin() / "sorvath").string();
    start.arguments = {"output.dat"};
    start.workingDirectory = runFolder.path().string();
    start.environment = {{"QT_QPA_PLATFORM", "xcb"}};
    const ProcessId sorvath = launcher_.startDetached(start);
    ASSERT_NE(sorvath, 0);

    // The wall question comes up over the window, captioned as the window is.
    std::vector<WindowId> windows;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((windows = x11_->windowActivator().windowsOfProcess(sorvath)).size() < 2 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(windows.size(), 2u);
    Display* display = XOpenDisplay(server_->name().c_str());
    const auto area = [display](WindowId window) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, window, &attributes);
        return attributes.width * attributes.height;
    };
    const WindowId main = area(windows[0]) > area(windows[1]) ? windows[0] : windows[1];
    const WindowId question = main == windows[0] ? windows[1] : windows[0];
    XCloseDisplay(display);
    ASSERT_TRUE(focus(question));
    EXPECT_EQ(x11_->windowActivator().focusedWindow().caption, "Sorvath");
    ASSERT_TRUE(x11_->keySender().send("{ESC}"));  // No: the wall file stays unmounted

    // The window shows the third step block as the menu command would.
    const QImage expected = pictureOfBlock(run, 3, kPictureWidth);
    std::optional<QPoint> shown;
    const auto drawDeadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!(shown = pictureInWindow(server_->name(), main, expected)) &&
           std::chrono::steady_clock::now() < drawDeadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(shown.has_value()) << "the run's picture is not in the window";
    EXPECT_TRUE(launcher_.isRunning(sorvath));
    EXPECT_EQ(x11_->windowActivator().windowsOfProcess(sorvath).size(), 1u);
}

}  // namespace
}  // namespace sorvath
