// The GIF export of 200 frames of a run of 10,000 and of 100,000 particles, side by
// side, at a 1000 x 1000 picture with colour on: the frames-only export (AnimationExport
// with an offscreen PictureFrameSink and no keystrokes: restart, question, every frame
// read, drawn, turned into a GIF file and the files renamed together), split into the
// time spent drawing, converting and the rest (reading the steps, writing the files), and
// then the assembly of those frames by `flikkor --make`, each timed on the wall clock
// (the export also in processor time).
//
//   build/bench/viewer_export_frames_bench [FLIKKOR]     (default: the build's flikkor)
//   FRAMES=200 PARTICLES="10000 100000" build/bench/viewer_export_frames_bench
#include "bench/viewer/bench_run.h"
#include "viewer/export/animation_export.h"
#include "viewer/platform/gif_frame_writer.h"
#include "viewer/platform/launcher.h"
#include "viewer/window/session_picture.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace sorvath {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Times the frame sink's drawing and the converter's encoding.
class TimedSink : public FrameSink {
public:
    explicit TimedSink(FrameSink& sink) : sink_(sink) {}
    FramePixels drawFrame(ViewerSession& session, const ViewOptions& options, int index) override {
        const Clock::time_point start = Clock::now();
        const FramePixels pixels = sink_.drawFrame(session, options, index);
        seconds += secondsSince(start);
        return pixels;
    }
    void shown(const ViewerState& state) override { sink_.shown(state); }
    double seconds = 0.0;

private:
    FrameSink& sink_;
};

class TimedConverter : public FrameConverter {
public:
    std::optional<std::string> convert(const FramePixels& picture) override {
        const Clock::time_point start = Clock::now();
        std::optional<std::string> gif = converter_.convert(picture);
        seconds += secondsSince(start);
        return gif;
    }
    double seconds = 0.0;

private:
    GifFrameConverter converter_;
};

// The frames temp-N.gif of the folder in the order of N.
std::vector<std::string> framesOf(const fs::path& folder) {
    std::vector<std::pair<int, std::string>> frames;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("temp-", 0) == 0) frames.emplace_back(std::atoi(name.c_str() + 5), entry.path().string());
    }
    std::sort(frames.begin(), frames.end());
    std::vector<std::string> paths;
    for (auto& frame : frames) paths.push_back(std::move(frame.second));
    return paths;
}

// Runs the program with the arguments and waits; the exit status, or -1.
int runProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Figures {
    int frames = 0;
    double exportSeconds = 0.0;
    double exportProcessor = 0.0;  // processor time of the export
    double drawSeconds = 0.0;
    double convertSeconds = 0.0;
    double makeSeconds = 0.0;
    double megabytes = 0.0;  // output text read by the export
};

bool measure(int particles, int frames, const std::string& flikkor, Figures& figures) {
    constexpr int kPictureSize = 1000;
    // Three blocks are read on opening, every further block is one frame; the export
    // reads no contacts after the opening's.
    testing::BenchRun run(particles, frames + 3, kPictureSize, 20, 1);
    if (!run.open()) {
        std::fprintf(stderr, "the run of %d particles did not open\n", particles);
        return false;
    }
    PictureFrameSink pictureSink(run.picture());
    TimedSink sink(pictureSink);
    TimedConverter converter;
    ProcessLauncher launcher;
    ExportSettings settings;
    settings.programFolder = fs::path(flikkor).parent_path().string();
    AnimationExport exporter(run.session(), sink, ExportPlatform{converter, launcher}, settings);
    const Clock::time_point start = Clock::now();
    const double processorStart = processorSeconds();
    const ExportOutcome outcome = exporter.run(0);
    figures.exportSeconds = secondsSince(start);
    figures.exportProcessor = processorSeconds() - processorStart;
    figures.drawSeconds = sink.seconds;
    figures.convertSeconds = converter.seconds;
    figures.megabytes = static_cast<double>(fs::file_size(run.files().output)) / (1024.0 * 1024.0);
    if (outcome != ExportOutcome::FramesOnly) {
        std::fprintf(stderr, "the export of %d particles did not write its frames\n", particles);
        return false;
    }
    const std::vector<std::string> paths = framesOf(exporter.exportFolder());
    figures.frames = static_cast<int>(paths.size());
    std::vector<std::string> make = {flikkor, "--make", exporter.exportFolder() + "/tempanim.gif"};
    make.insert(make.end(), paths.begin(), paths.end());
    const Clock::time_point made = Clock::now();
    const int status = runProgram(make);
    figures.makeSeconds = secondsSince(made);
    if (status != 0) {
        std::fprintf(stderr, "flikkor --make ended with status %d\n", status);
        return false;
    }
    return true;
}

}  // namespace
}  // namespace sorvath

int main(int argc, char** argv) {
    const std::string flikkor = argc > 1 ? argv[1] : FLIKKOR_PROGRAM;
    const char* framesText = std::getenv("FRAMES");
    const int frames = framesText != nullptr ? std::atoi(framesText) : 200;
    const char* particlesText = std::getenv("PARTICLES");
    std::istringstream counts(particlesText != nullptr ? particlesText : "10000 100000");
    std::printf("%9s  %6s  %9s  %9s  %8s  %9s  %8s  %8s  %8s  %s\n", "particles", "frames", "export s", "(cpu s)",
                "draw s", "convert s", "other s", "make s", "total s", "output MB");
    for (int particles = 0; counts >> particles;) {
        sorvath::Figures f;
        if (!sorvath::measure(particles, frames, flikkor, f)) return 1;
        std::printf("%9d  %6d  %9.2f  %9.2f  %8.2f  %9.2f  %8.2f  %8.2f  %8.2f  %.0f\n", particles, f.frames,
                    f.exportSeconds, f.exportProcessor, f.drawSeconds, f.convertSeconds,
                    f.exportSeconds - f.drawSeconds - f.convertSeconds, f.makeSeconds, f.exportSeconds + f.makeSeconds,
                    f.megabytes);
        std::fflush(stdout);
    }
    return 0;
}
