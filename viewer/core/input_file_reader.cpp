// Reading one configuration from the simulator's input file.
#include "viewer/core/messages.h"
#include "viewer/core/result_reader.h"

#include <algorithm>

namespace sorvath {

bool ResultReader::openInputFile(const std::optional<std::string>& given) {
    scene_.source = SourceMode::Input;
    state_.step.reset();
    scene_.oldLayout = false;
    input_.close();

    if (given) {
        chosenPath_ = *given;
    } else {
        log_.showmsg(messages::kSelectInput);
        chosenPath_ = prompter_.chooseOpenFile(inputFileRequest());
    }
    state_.filename = chosenPath_;
    const bool opened = input_.open(chosenPath_);
    scene_.recordMode = RecordMode::Long;
    if (!opened) {
        forgetPicture();
        readFailure(messages::kReadingError);
        return false;
    }
    // An input file has no contacts; records left from an earlier run must not be drawn over it.
    scene_.ncont = scene_.nwcont = scene_.nctot = 0;
    for (Particle& particle : scene_.particles) particle.selected = false;

    while (!readInputConfiguration()) {
        if (scene_.recordMode == RecordMode::Long && input_.reopen()) {
            scene_.recordMode = RecordMode::Short;
            continue;
        }
        forgetPicture();
        readFailure(messages::kReadingError);
        scene_.recordMode = RecordMode::Long;
        return false;
    }
    // The fit blanks the picture before the scene is drawn.
    state_.fitted = true;
    state_.picture = PictureChange::Redrawn;
    log_.showmsg(messages::kDrawingComplete);
    scene_.recordMode = RecordMode::Long;
    state_.animationControls = state_.relativeRotationControl = false;
    state_.viewControls = true;
    return true;
}

bool ResultReader::readInputConfiguration() {
    FieldStream& in = input_;
    failureReason_.clear();
    if (!readHeadRecord(in, [&](int32_t& nop, int32_t& nwall, double& dt) {
            int16_t ignored = 0;
            return readCount(in, nop, "particles") && readCount(in, nwall, "walls") && in.readDouble(dt) &&
                   in.readInt16(ignored);
        }))
        return false;
    const int nop = scene_.nop;
    const int nwall = scene_.nwall;

    for (int i = 1; i <= nop; ++i) {
        Particle& particle = scene_.particles[static_cast<size_t>(i)];
        if (scene_.oldLayout) {
            if (!in.readDouble(particle.a)) return false;
            particle.b = particle.a;
            particle.nv = kDefaultVertexCount;
        } else {
            if (!in.readDouble(particle.a) || !in.readDouble(particle.b) || !in.skip(2)) return false;
            if (scene_.recordMode == RecordMode::Long) {
                // Fewer than three vertices is no outline; such a record is not a long one.
                if (!in.readInt16(particle.nv) || particle.nv < runfiles::kFewestVertices) return false;
            } else {
                particle.nv = kDefaultVertexCount;
            }
        }
        Pose& previous = particle.previous;
        Pose& current = particle.current;
        if (!in.readDouble(previous.x) || !in.readDouble(previous.y) || !in.readDouble(previous.theta)) return false;
        if (!in.readDouble(current.x) || !in.readDouble(current.y) || !in.readDouble(current.theta)) return false;
        const double a = particle.a;
        if (i == 1) {
            scene_.xmin = current.x - a;
            scene_.xmax = current.x + a;
            scene_.ymin = current.y - a;
            scene_.ymax = current.y + a;
        } else {
            scene_.xmin = std::min(scene_.xmin, current.x - a);
            scene_.xmax = std::max(scene_.xmax, current.x + a);
            scene_.ymin = std::min(scene_.ymin, current.y - a);
            scene_.ymax = std::max(scene_.ymax, current.y + a);
        }
    }

    for (int j = 1; j <= nwall; ++j) {
        Wall& wall = scene_.walls[static_cast<size_t>(j)];
        if (!in.readDouble(wall.x1) || !in.readDouble(wall.y1) || !in.readDouble(wall.x2) || !in.readDouble(wall.y2))
            return false;
        if (!scene_.oldLayout && !in.skip(2)) return false;
        scene_.xmin = std::min({scene_.xmin, wall.x1, wall.x2});
        scene_.xmax = std::max({scene_.xmax, wall.x1, wall.x2});
        scene_.ymin = std::min({scene_.ymin, wall.y1, wall.y2});
        scene_.ymax = std::max({scene_.ymax, wall.y1, wall.y2});
    }

    if (!in.readDouble(scene_.nloop) || !in.skip(8)) return false;
    if (scene_.oldLayout && !in.skip(2)) return false;
    return true;
}

}  // namespace sorvath
