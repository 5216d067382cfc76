// Opening the simulator's output file with its companions and reading the start
// of the run up to the first picture.
#include "viewer/core/companion_names.h"
#include "viewer/core/messages.h"
#include "viewer/core/result_reader.h"

#include <algorithm>

namespace sorvath {
namespace {

OutputPathParts partsOf(const Scene& scene) { return {scene.dirpart, scene.filepart, scene.filenoc}; }

}  // namespace

bool ResultReader::openOutputFile(const std::optional<std::string>& given) {
    scene_.source = SourceMode::Output;
    scene_.recordMode = RecordMode::Long;
    scene_.oldLayout = false;
    options_.relativeRotation = false;
    state_.relativeRotationCaption = relativeRotationCaption(false);
    output_.close();
    outputEnded_ = true;

    if (given) {
        chosenPath_ = *given;
    } else {
        log_.showmsg(messages::kSelectOutput);
        chosenPath_ = prompter_.chooseOpenFile(outputFileRequest());
    }
    state_.filename = chosenPath_;
    if (!output_.open(chosenPath_)) {
        forgetPicture();
        readFailure(messages::kReadingError);
        return false;
    }
    const std::optional<OutputPathParts> parts = splitOutputPath(chosenPath_);
    if (!parts) {
        output_.close();
        forgetPicture();
        readFailure(messages::kReadingError);
        return false;
    }
    scene_.dirpart = parts->dirpart;
    scene_.filepart = parts->filepart;
    scene_.filenoc = parts->filenoc;

    if (prompter_.askYesNo(messages::kWallQuestion)) {
        scene_.movewall = true;
        scene_.wallfile = wallFileName(*parts);
        if (!wall_.open(scene_.dirpart + scene_.wallfile)) {
            // A wall file that is not there cannot follow the run.
            log_.showmsg(messages::kWallStepError);
            scene_.movewall = false;
        }
    } else {
        scene_.movewall = false;
        wall_.close();
    }
    // With contacts on, the contact streams must belong to this run too.
    if (options_.contactDisplay != ContactDisplay::No) openContactStreams();
    return outdata();
}

void ResultReader::openContactStreams() {
    const OutputPathParts parts = partsOf(scene_);
    contactRecords_.open(scene_.dirpart + contactRecordFileName(parts));
    contactHeaders_.open(scene_.dirpart + contactHeaderFileName(parts));
}

bool ResultReader::reopenresults() {
    if (scene_.source != SourceMode::Output) {
        // Nothing to re-read for an input file; the picture still shows the new options.
        state_.picture = PictureChange::Redrawn;
        return false;
    }
    if (!output_.open(chosenPath_)) {
        outputEnded_ = true;
        readFailure(messages::kReadingError);
        return false;
    }
    if (scene_.movewall && !wall_.open(scene_.dirpart + scene_.wallfile)) {
        log_.showmsg(messages::kWallStepError);
        scene_.movewall = false;
    }
    openContactStreams();
    scene_.rescaleOnLoad = false;
    const bool ok = outdata();
    scene_.rescaleOnLoad = true;
    return ok;
}

bool ResultReader::outdata() {
    scene_.recordMode = RecordMode::Long;
    outputEnded_ = false;
    while (!readOutputStart()) {
        if (scene_.recordMode == RecordMode::Long && output_.reopen()) {
            scene_.recordMode = RecordMode::Short;
            continue;
        }
        outputEnded_ = true;
        forgetPicture();
        readFailure(messages::kShapeReadingError);
        scene_.recordMode = RecordMode::Long;
        return false;
    }
    if (scene_.rescaleOnLoad) state_.fitted = true;
    state_.picture = PictureChange::Redrawn;
    log_.showmsg(messages::kInitialDrawComplete);
    state_.step = scene_.iloop;
    state_.animationControls = state_.relativeRotationControl = true;
    state_.viewControls = true;
    return true;
}

bool ResultReader::readOutputStart() {
    FieldStream& in = output_;
    failureReason_.clear();
    firstStepRead_ = false;
    double perw = 0.0;
    double perv = 0.0;
    if (!readHeadRecord(in, [&](int32_t& nop, int32_t& nwall, double& dt) {
            return readCount(in, nop, "particles") && readCount(in, nwall, "walls") && in.readDouble(dt) &&
                   in.skip(2) && in.readDouble(perw) && in.readDouble(perv);
        }))
        return false;
    scene_.perw = perw;
    scene_.perv = perv;
    const int nop = scene_.nop;
    const int nwall = scene_.nwall;

    if (!in.readDouble(scene_.nloop) || !in.skip(8)) return false;
    if (scene_.oldLayout && !in.skip(2)) return false;

    for (int j = 1; j <= nwall; ++j) {
        Wall& wall = scene_.walls[static_cast<size_t>(j)];
        if (!in.skip(1) || !in.readDouble(wall.x1) || !in.readDouble(wall.y1) || !in.readDouble(wall.x2) ||
            !in.readDouble(wall.y2))
            return false;
        if (!scene_.oldLayout && !in.skip(2)) return false;
        if (j == 1) {
            scene_.xmin = scene_.xmax = wall.x1;
            scene_.ymin = scene_.ymax = wall.y1;
        }
        scene_.xmin = std::min({scene_.xmin, wall.x1, wall.x2});
        scene_.xmax = std::max({scene_.xmax, wall.x1, wall.x2});
        scene_.ymin = std::min({scene_.ymin, wall.y1, wall.y2});
        scene_.ymax = std::max({scene_.ymax, wall.y1, wall.y2});
    }
    if (!scene_.oldLayout && !in.skip(4)) return false;

    for (int i = 1; i <= nop; ++i) {
        Particle& particle = scene_.particles[static_cast<size_t>(i)];
        int32_t index = 0;
        if (!in.readInt32(index)) return false;
        if (scene_.oldLayout) {
            if (!in.readDouble(particle.a)) return false;
            particle.b = particle.a;
            particle.nv = kDefaultVertexCount;
            continue;
        }
        if (index != i || !in.readDouble(particle.a) || !in.readDouble(particle.b) || !in.skip(2)) return false;
        if (scene_.recordMode == RecordMode::Long) {
            if (!in.readInt16(particle.nv) || particle.nv < runfiles::kFewestVertices) return false;
        } else {
            particle.nv = kDefaultVertexCount;
        }
    }

    if (!readStepBlock(true) || !readStepBlock(false)) return false;
    // The first picture shows the third block, with the second as previous pose.
    return readNextStep(options_.contactDisplay) != OutdrawResult::Failed;
}

}  // namespace sorvath
