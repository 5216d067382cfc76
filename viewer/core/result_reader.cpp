#include "viewer/core/result_reader.h"

#include "viewer/core/companion_names.h"
#include "viewer/core/messages.h"
#include "viewer/core/number_text.h"

#include <filesystem>
#include <limits>
#include <new>

namespace sorvath {

ResultReader::ResultReader(Scene& scene, ViewOptions& options, MessageLog& log, ViewerPrompter& prompter,
                           ViewerState& state)
    : scene_(scene), options_(options), log_(log), prompter_(prompter), state_(state) {}

FileOpenRequest ResultReader::inputFileRequest() {
    FileOpenRequest request;
    request.filters = {{"all files (*.*)", "*.*"}, {"in? files (in*.dat)", "in*.dat"}, {"dat files (*.dat)", "*.dat"}};
    request.selectedFilter = 1;
    return request;
}

FileOpenRequest ResultReader::outputFileRequest() {
    FileOpenRequest request;
    request.filters = {
        {"all files (*.*)", "*.*"}, {"out? files (out*.dat)", "out*.dat"}, {"dat files (*.dat)", "*.dat"}};
    request.selectedFilter = 1;
    return request;
}

bool ResultReader::openRunFile(const std::string& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) full = path;
    const std::string chosen = full.lexically_normal().string();
    return isOutputFileName(chosen) ? openOutputFile(chosen) : openInputFile(chosen);
}

void ResultReader::readFailure(const char* message) {
    if (!failureReason_.empty()) log_.showmsg(failureReason_);
    failureReason_.clear();
    log_.showmsg(message);
    log_.beep();
}

bool ResultReader::outputAtEnd() {
    if (scene_.source != SourceMode::Output || outputEnded_) return true;
    return output_.atEnd();
}

bool ResultReader::readHeadRecord(FieldStream& in,
                                  const std::function<bool(int32_t& nop, int32_t& nwall, double& dt)>& readFields) {
    int32_t nop = 0;
    int32_t nwall = 0;
    double dt = 0.0;
    for (;;) {
        if (scene_.oldLayout && !in.skip(1)) return false;
        if (!readFields(nop, nwall, dt)) return false;
        if (nop != 0) break;
        // A leading 0 marks the old layout; a second 0 in its place is no valid file.
        if (scene_.oldLayout) return false;
        scene_.oldLayout = true;
        if (!in.reopen()) return false;
    }
    if (nop < 0 || nwall < 0) return false;
    // Every particle has at least two fields in the rest of the file, every wall four.
    if (!makeRoom(in, nop, 2, "particles", &Scene::makeParticleRoom) ||
        !makeRoom(in, nwall, 4, "walls", &Scene::makeWallRoom))
        return false;
    scene_.nop = nop;
    scene_.nwall = nwall;
    scene_.dt = dt;
    return true;
}

bool ResultReader::readCount(FieldStream& in, int32_t& count, const char* what) {
    double field = 0.0;
    if (!in.readDouble(field)) return false;
    if (fieldToInt32(field, count)) return true;
    failureReason_ = in.path() + ": " + generalNumberText(field) + " " + what + " named; counts go up to " +
                     std::to_string(std::numeric_limits<int32_t>::max());
    return false;
}

void ResultReader::forgetPicture() {
    scene_.nop = scene_.nwall = 0;
    scene_.ncont = scene_.nwcont = scene_.nctot = 0;
    state_.picture = PictureChange::Cleared;
}

bool ResultReader::makeRoom(FieldStream& in, int32_t count, int fieldsEach, const char* what,
                            void (Scene::*grow)(int)) {
    const uint64_t room = in.fieldsLeftAtMost() / static_cast<uint64_t>(fieldsEach);
    if (static_cast<uint64_t>(count) > room) {
        failureReason_ = in.path() + ": " + std::to_string(count) + " " + what + " named; the rest of the file holds " +
                         "at most " + std::to_string(room);
        return false;
    }
    try {
        (scene_.*grow)(count);
    } catch (const std::bad_alloc&) {
        failureReason_ =
            in.path() + ": " + std::to_string(count) + " " + what + " named; there is no memory for so many";
        return false;
    }
    return true;
}

}  // namespace sorvath
