// Reading one step block of the run and the matching companion blocks, with the
// step's contact statistics and grain selection.
#include "viewer/core/messages.h"
#include "viewer/core/number_text.h"
#include "viewer/core/result_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace sorvath {

bool ResultReader::readStepBlock(bool widenBox) {
    FieldStream& in = output_;
    if (!in.readInt32(scene_.iloop)) return false;
    for (int i = 1; i <= scene_.nop; ++i) {
        Particle& particle = scene_.particles[static_cast<size_t>(i)];
        Pose& pose = particle.current;
        if (!in.skip(1) || !in.readDouble(pose.x) || !in.readDouble(pose.y) || !in.readDouble(pose.theta)) return false;
        if (widenBox) {
            const double a = particle.a;
            scene_.xmin = std::min(scene_.xmin, pose.x - a);
            scene_.xmax = std::max(scene_.xmax, pose.x + a);
            scene_.ymin = std::min(scene_.ymin, pose.y - a);
            scene_.ymax = std::max(scene_.ymax, pose.y + a);
        }
    }
    return true;
}

OutdrawResult ResultReader::outdraw() { return outdraw(options_.contactDisplay); }

OutdrawResult ResultReader::outdraw(ContactDisplay contacts) {
    if (scene_.source != SourceMode::Output || outputEnded_) return OutdrawResult::Failed;
    const OutdrawResult result = readNextStep(contacts);
    if (result == OutdrawResult::Failed) {
        outputEnded_ = true;
        readFailure(messages::kReadingError);
    }
    return result;
}

OutdrawResult ResultReader::readNextStep(ContactDisplay contacts) {
    FieldStream& in = output_;
    int32_t step = 0;
    if (!in.readInt32(step)) return OutdrawResult::Failed;
    scene_.iloop = step;
    if (!firstStepRead_) {
        scene_.iloop0 = static_cast<int32_t>(static_cast<int64_t>(step) - 1);
        firstStepRead_ = true;
    }
    for (int i = 1; i <= scene_.nop; ++i) {
        Particle& particle = scene_.particles[static_cast<size_t>(i)];
        particle.previous = particle.current;
        Pose& pose = particle.current;
        if (!in.skip(1) || !in.readDouble(pose.x) || !in.readDouble(pose.y) || !in.readDouble(pose.theta))
            return OutdrawResult::Failed;
    }
    if (scene_.movewall && !readWallBlock()) {
        log_.showmsg(messages::kWallStepError);
        scene_.movewall = false;
        wall_.close();
        return OutdrawResult::WallMismatch;
    }
    if (contacts != ContactDisplay::No) {
        if (!readContacts()) return OutdrawResult::Failed;
        if (contacts == ContactDisplay::GrainSelect) recomputeSelection();
    }
    return OutdrawResult::Read;
}

bool ResultReader::readWallBlock() {
    FieldStream& in = wall_;
    double step = 0.0;
    if (!in.readDouble(step) || step != static_cast<double>(scene_.iloop)) return false;
    for (int j = 1; j <= scene_.nwall; ++j) {
        Wall& wall = scene_.walls[static_cast<size_t>(j)];
        // The wall file gives both x, then both y.
        if (!in.skip(1) || !in.readDouble(wall.x1) || !in.readDouble(wall.x2) || !in.readDouble(wall.y1) ||
            !in.readDouble(wall.y2))
            return false;
    }
    return true;
}

void ResultReader::contactsOff(const char* message) {
    log_.showmsg(message);
    options_.relativeRotation = false;
    options_.contactDisplay = ContactDisplay::No;
    scene_.ncont = scene_.nwcont = scene_.nctot = 0;
    // Shown as if "no" had been chosen.
    state_.relativeRotationCaption = relativeRotationCaption(false);
    state_.relativeRotationControl = false;
}

bool ResultReader::readContacts() {
    double step = 0.0;
    int32_t ncont = 0;
    int32_t nwcont = 0;
    if (!contactHeaders_.readDouble(step) || !readCount(contactHeaders_, ncont, "particle contact records") ||
        !readCount(contactHeaders_, nwcont, "wall contact records") || step != static_cast<double>(scene_.iloop)) {
        contactsOff(messages::kContactHeaderError);
        return true;
    }
    if (ncont < 0 || nwcont < 0) return false;
    const int64_t total = static_cast<int64_t>(ncont) + nwcont;
    if (total > std::numeric_limits<int32_t>::max()) {
        failureReason_ = contactHeaders_.path() + ": step " + std::to_string(scene_.iloop) + " names " +
                         std::to_string(total) + " contact records; counts go up to " +
                         std::to_string(std::numeric_limits<int32_t>::max());
        return false;
    }
    const int nctot = static_cast<int>(total);
    FieldStream& in = contactRecords_;
    if (nctot > 0 && !in.isOpen()) {
        contactsOff(messages::kContactRecordError);
        return true;
    }
    // Seven fields a record.
    if (!makeRoom(in, nctot, 7, "contact records", &Scene::makeContactRoom)) return false;
    scene_.ncont = ncont;
    scene_.nwcont = nwcont;
    scene_.nctot = nctot;
    scene_.avfn = 0.0;
    scene_.fnmax = 0.0;
    scene_.avrot = 0.0;
    if (nctot == 0) return true;

    const auto& particles = scene_.particles;
    const int64_t slots = scene_.particleSlots();
    for (int k = 1; k <= nctot; ++k) {
        Contact& contact = scene_.contacts[static_cast<size_t>(k)];
        const bool read = in.readInt32(contact.ip) && in.readInt32(contact.jp) && in.readDouble(contact.xc) &&
                          in.readDouble(contact.yc) && in.readDouble(contact.ang) && in.readDouble(contact.fn) &&
                          in.readDouble(contact.extra);
        const int64_t i = contact.ip;
        const int64_t j = std::abs(static_cast<int64_t>(contact.jp));
        // Indices must stay inside the particle table.
        if (!read || i < 0 || i > slots || j > slots) {
            if (!read && in.atEnd())
                log_.showmsg(in.path() + ": step " + std::to_string(scene_.iloop) + " names " + std::to_string(nctot) +
                             " contact records; the file ends after " + std::to_string(k - 1));
            contactsOff(messages::kContactRecordError);
            return true;
        }
        contact.fn = -contact.fn;
        scene_.avfn += contact.fn;
        scene_.fnmax = std::max(scene_.fnmax, contact.fn);
        if (k <= ncont) {
            const Particle& pi = particles[static_cast<size_t>(i)];
            const Particle& pj = particles[static_cast<size_t>(j)];
            const double rel = (pj.current.theta - pj.previous.theta) - (pi.current.theta - pi.previous.theta);
            scene_.avrot += std::fabs(rel);
        }
    }
    scene_.avfn /= nctot;
    // With wall contacts only there is no relative rotation to average.
    scene_.avrot = ncont > 0 ? scene_.avrot / ncont : 0.0;
    log_.showmsg(std::string(messages::kContactStatistics) + generalNumberText(scene_.avfn) + " and " +
                 generalNumberText(scene_.avrot));
    return true;
}

void ResultReader::recomputeSelection() {
    for (Particle& particle : scene_.particles) particle.selected = false;
    const double threshold = static_cast<double>(options_.ratio) * scene_.avfn;
    for (int k = 1; k <= scene_.nctot; ++k) {
        const Contact& contact = scene_.contacts[static_cast<size_t>(k)];
        if (!(contact.fn > threshold)) continue;
        const int64_t i = contact.ip;
        const int64_t j = std::abs(static_cast<int64_t>(contact.jp));
        const int64_t slots = scene_.particleSlots();
        if (i >= 0 && i <= slots) scene_.particles[static_cast<size_t>(i)].selected = true;
        if (j != 0 && j <= slots) scene_.particles[static_cast<size_t>(j)].selected = true;
    }
}

}  // namespace sorvath
