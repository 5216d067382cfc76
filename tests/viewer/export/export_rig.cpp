#include "tests/viewer/export/export_rig.h"

#include <gif_lib.h>

#include "viewer/platform/gif_rasters.h"
#include "viewer/platform/key_notation.h"

#include <QString>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

namespace sorvath::testing {

FakeDesktop::FakeDesktop() { windows.push_back({kViewerWindow, kViewer, "Sorvath", true}); }

FakeDesktop::Window* FakeDesktop::find(WindowId id) {
    for (Window& window : windows)
        if (window.id == id) return &window;
    return nullptr;
}

WindowId FakeDesktop::addWindow(ProcessId process, const std::string& caption) {
    windows.push_back({nextId_, process, caption, true});
    return nextId_++;
}

std::vector<std::string> FakeDesktop::sentToFlikkor() const {
    std::vector<std::string> keys;
    for (const Received& r : received)
        for (const Window& window : windows)
            if (window.id == r.window && window.process == kFlikkor) keys.push_back(r.keys);
    return keys;
}

bool FakeDesktop::send(const std::string& keys) {
    received.push_back({focus, keys});
    react(keys);
    if (afterSend) afterSend(received.size());
    return true;
}

void FakeDesktop::react(const std::string& keys) {
    Window* target = find(focus);
    if (target == nullptr || target->process != kFlikkor || !flikkorRunning) return;
    const auto show = [&](WindowId id, const std::string& caption) {
        windows.push_back({id, kFlikkor, caption, true});
        focus = id;
    };
    if (focus == kMainWindow) {
        if (keys == "+{Down}") ++shiftDowns_;
        if (keys == "{enter}" && ++enters_ == 3 && opensSaveDialog)
            show(kDialogWindow, shiftDowns_ > 5 ? "ファイル作成" : "Reelwright:エラー");
        if (keys == "%{F4}") show(kDialogWindow + 1, "Reelwright:確認");
    } else if (target->caption == "ファイル作成") {
        if (keys != "{enter}") {
            const std::optional<std::vector<KeyStroke>> strokes = parseKeyNotation(keys);
            if (!strokes) return;
            for (const KeyStroke& stroke : *strokes) typedPath += QString::fromUcs4(&stroke.character, 1).toStdString();
            return;
        }
        target->shown = false;
        focus = kMainWindow;
        std::vector<std::string> frameFiles;
        for (int frame = 101; frame <= 100 + shiftDowns_ - 5; ++frame)
            frameFiles.push_back(requests.back().workingDirectory + "/temp-" + std::to_string(frame) + ".gif");
        if (arrange) arrange(frameFiles);
        if (writesAnimation) writeAnimationOf(typedPath, frameFiles);
    } else if (target->caption == "Reelwright:確認" && keys == "{enter}") {
        for (Window& window : windows)
            if (window.process == kFlikkor) window.shown = false;
        flikkorRunning = false;
        focus = 0;
    }
    return;
}

bool FakeDesktop::activate(const std::string& caption) {
    activated.push_back(caption);
    for (const Window& window : windows)
        if (window.shown && window.caption == caption) {
            focus = window.id;
            return true;
        }
    return false;
}

std::vector<WindowId> FakeDesktop::windowsOfProcess(ProcessId process) {
    std::vector<WindowId> ids;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (it->shown && it->process == process) ids.push_back(it->id);
    return ids;
}

void FakeDesktop::requestFocus(WindowId window) {
    focusRequests.push_back(window);
    if (const Window* w = find(window); w != nullptr && w->shown) focus = window;
}

WindowInfo FakeDesktop::focusedWindow() {
    const Window* window = find(focus);
    if (window == nullptr || !window->shown) return {};
    return {window->id, window->process, window->caption};
}

bool FakeDesktop::isShown(WindowId window) {
    const Window* w = find(window);
    return w != nullptr && w->shown;
}

ProcessId FakeDesktop::startDetached(const LaunchRequest& request) {
    requests.push_back(request);
    if (!starts) return 0;
    flikkorRunning = true;
    if (opensWindow) windows.push_back({kMainWindow, kFlikkor, "Reelwright", true});
    return kFlikkor;
}

void writeAnimationOf(const std::string& path, const std::vector<std::string>& frameFiles) {
    // A screen of 1 x 1 without a colour table: only the rasters matter here.
    std::string bytes = std::string("GIF89a") + std::string("\x01\x00\x01\x00\x00\x00\x00", 7);
    for (const std::string& file : frameFiles) {
        std::string raster;
        GifRasterScanner frame(file);
        if (!frame.next(raster)) return;
        bytes += std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10) + raster;
    }
    testing::writeTextFile(path, bytes + "\x3B");
}

ExportRig::ExportRig(const testing::ResultRun& run, bool walls, ContactDisplay contacts, const std::string& subfolder,
                     int pictureSide)
    : runPath(subfolder.empty() ? runFolder.path() : runFolder.path() / subfolder), picture(pictureSide, pictureSide) {
    std::filesystem::create_directories(runPath);
    testing::writeRun(runPath, "out-0007.dat", run, testing::RecordLayout::Long, walls, contacts != ContactDisplay::No);
    options.contactDisplay = contacts;
    prompter.paths = {outputPath()};
    prompter.answers = {walls};
    display.shown(session.openOutput());
    settings.programFolder = programFolder.path().string() + "/";
    settings.cacheFolder = cacheFolder.path().string();
    settings.viewerCaption = "Sorvath";
    settings.assemblerWaitMs = 300;
    settings.assemblerWaitPerFrameMs = 0;
}

ExportOutcome ExportRig::exportAnswering(bool yes, int nskip, bool withDisplay) {
    prompter.answers = {yes};
    ExportPlatform platform{converter, desktop, withDisplay ? &desktop : nullptr, withDisplay ? &desktop : nullptr,
                            [this](std::chrono::milliseconds time) {
                                ++pauses;
                                pauseTimes.push_back(time);
                                std::this_thread::sleep_for(std::min(time, std::chrono::milliseconds(1)));
                            }};
    AnimationExport exporter(session, display, platform, settings);
    return exporter.run(nskip);
}

std::vector<std::string> ExportRig::frameFiles() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(exportFolder(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("temp-", 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::string> ExportRig::exportFolderContents() const {
    std::map<std::string, std::string> contents;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(exportFolder(), error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory()) {
            contents[name] = "<folder>";
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        contents[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return contents;
}

QImage pictureOfBlock(const testing::ResultRun& run, int block, int size) {
    testing::TempFolder folder;
    testing::writeRun(folder.path(), "out-0007.dat", run, testing::RecordLayout::Long, false, false);
    testing::RecordingLog log;
    testing::ScriptedPrompter prompter;
    ScenePicture picture(size, size);
    ViewerSession session(log, prompter, size, size);
    prompter.paths = {folder.file("out-0007.dat")};
    prompter.answers = {false};
    session.openOutput();  // shows block 3
    for (int b = 3; b < block; ++b) session.stepOnce();
    drawSessionPicture(picture, session, session.options());
    return picture.image().copy();
}

QImage decodeGif(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return QImage();
    QImage image;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage& saved = gif->SavedImages[0];
        const ColorMapObject* map = saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap : gif->SColorMap;
        image = QImage(saved.ImageDesc.Width, saved.ImageDesc.Height, QImage::Format_RGB32);
        for (int y = 0; map && y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const GifColorType c = map->Colors[saved.RasterBits[y * image.width() + x]];
                image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
            }
    }
    DGifCloseFile(gif, &error);
    return image;
}

}  // namespace sorvath::testing
