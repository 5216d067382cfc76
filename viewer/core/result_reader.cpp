#include "viewer/core/result_reader.h"

#include "viewer/core/companion_names.h"
#include "viewer/core/messages.h"

#include <filesystem>

namespace sorvath {

ResultReader::ResultReader(Scene& scene, ViewOptions& options, MessageLog& log, ViewerPrompter& prompter,
                           SceneDisplay& display)
    : scene_(scene), options_(options), log_(log), prompter_(prompter), display_(display) {}

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
    log_.showmsg(message);
    log_.beep();
}

bool ResultReader::outputAtEnd() {
    if (scene_.source != SourceMode::Output || outputEnded_) return true;
    return output_.atEnd();
}

bool ResultReader::readHeadRecord(FieldStream& in,
                                  const std::function<bool(int16_t& nop, int16_t& nwall, double& dt)>& readFields) {
    int16_t nop = 0;
    int16_t nwall = 0;
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
    if (nop < 0 || nop > kMaxParticles || nwall < 0 || nwall > kMaxWalls) return false;
    scene_.nop = nop;
    scene_.nwall = nwall;
    scene_.dt = dt;
    return true;
}

}  // namespace sorvath
