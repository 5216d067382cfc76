#include "viewer/export/animation_export.h"

#include "viewer/export/assembler_script.h"
#include "viewer/export/export_messages.h"

#include <QString>

#include <cstdio>
#include <filesystem>
#include <random>
#include <utility>

namespace sorvath {

AnimationExport::AnimationExport(Scene& scene, ViewOptions& options, ResultReader& reader, SceneDisplay& display,
                                 const ScenePicture& picture, MessageLog& log, ViewerPrompter& prompter,
                                 ExportPlatform platform, ExportSettings settings)
    : scene_(scene),
      options_(options),
      reader_(reader),
      display_(display),
      picture_(picture),
      log_(log),
      prompter_(prompter),
      platform_(platform),
      settings_(std::move(settings)) {}

std::string AnimationExport::inFolder(const std::string& name) const {
    std::string path = settings_.programFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + name;
}

bool AnimationExport::folderWritable() const {
    static std::mt19937_64 random{std::random_device{}()};
    const std::string probe = inFolder(".sorvath-write-check-" + std::to_string(random()));
    std::FILE* file = std::fopen(probe.c_str(), "wx");
    if (file == nullptr) return false;
    std::fclose(file);
    std::remove(probe.c_str());
    return true;
}

bool AnimationExport::saveBitmap() {
    return picture_.image().save(QString::fromStdString(inFolder("temp.bmp")), "BMP");
}

OutdrawResult AnimationExport::readStepWithoutContacts() {
    // The contact streams stay where they are during the export.
    const ContactDisplay contacts = options_.contactDisplay;
    options_.contactDisplay = ContactDisplay::No;
    const OutdrawResult result = reader_.outdraw();
    options_.contactDisplay = contacts;
    return result;
}

void AnimationExport::drawFrame() {
    // Contacts are not advanced during the export, so the frames carry no contact
    // segments or rotation marks; grain selection keeps the marks of the start.
    const ViewOptions chosen = options_;
    if (options_.contactDisplay == ContactDisplay::DrawLines) options_.contactDisplay = ContactDisplay::No;
    options_.relativeRotation = false;
    display_.clearPicture();
    display_.drawscene();
    options_ = chosen;
    display_.showStepNumber(scene_.iloop);
    if (frameShown_) frameShown_();
}

ExportOutcome AnimationExport::run(int nskip) {
    // Restart the run at the current zoom.
    reader_.reopenresults();
    if (!folderWritable()) {
        log_.showmsg(export_messages::kFolderNotWritable + settings_.programFolder);
        return ExportOutcome::NotWritable;
    }
    if (!prompter_.askYesNo(export_messages::kCheckPoints)) return ExportOutcome::Declined;

    frameCounter_ = 100;
    drawFrame();
    const std::string bitmap = inFolder("temp.bmp");
    if (!saveBitmap()) {
        log_.showmsg(export_messages::kFrameNotWritten + bitmap);
        return ExportOutcome::NotWritable;
    }
    while (!reader_.outputAtEnd()) {
        ++frameCounter_;
        log_.showmsg(export_messages::kTranslating);
        const std::string gif = inFolder("temp-" + std::to_string(frameCounter_) + ".gif");
        if (!saveBitmap() || !platform_.converter.convert(bitmap, gif)) {
            log_.showmsg(export_messages::kFrameNotWritten + gif);
            return ExportOutcome::NotWritable;
        }
        for (int k = 0; k <= nskip; ++k) {
            if (reader_.outputAtEnd()) {
                log_.showmsg(export_messages::kComplete);
                return finish();
            }
            const OutdrawResult result = readStepWithoutContacts();
            if (result == OutdrawResult::WallMismatch) return ExportOutcome::WallMismatch;
            if (result == OutdrawResult::Failed) break;  // reported; the stream now counts as ended
        }
        drawFrame();
    }
    log_.showmsg(export_messages::kComplete);
    return finish();
}

ExportOutcome AnimationExport::finish() {
    KeySender* keys = platform_.keys;
    WindowActivator* windows = platform_.windows;
    if (keys == nullptr || windows == nullptr) {
        log_.showmsg(export_messages::kNoDisplay);
        return ExportOutcome::FramesOnly;
    }
    windows->activate(settings_.viewerCaption);

    LaunchRequest request;
    request.program = inFolder(settings_.assemblerProgram);
    request.workingDirectory = settings_.programFolder;
    // The keystrokes travel through the X server, so the assembler must be an X client.
    request.environment["QT_QPA_PLATFORM"] = "xcb";
    if (!platform_.launcher.startDetached(request)) {
        log_.showmsg(export_messages::kAssemblerNotStarted + request.program);
        return ExportOutcome::FramesOnly;
    }
    // Keys go to whatever window has the focus: send none unless the assembler's
    // window has appeared and taken it.
    if (!windows->waitForWindow(settings_.assemblerCaption, settings_.assemblerWaitMs) ||
        !windows->activate(settings_.assemblerCaption)) {
        log_.showmsg(export_messages::kAssemblerNoWindow);
        return ExportOutcome::FramesOnly;
    }
    for (const std::string& unit : assemblerKeyScript(frameCounter_)) keys->send(unit);
    windows->activate(settings_.viewerCaption);
    return ExportOutcome::AssemblerDriven;
}

}  // namespace sorvath
