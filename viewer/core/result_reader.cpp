#include "viewer/core/result_reader.h"

#include "viewer/core/companion_names.h"
#include "viewer/core/messages.h"

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

void ResultReader::readFailure(const char* message) {
    log_.showmsg(message);
    log_.beep();
}

bool ResultReader::outputAtEnd() {
    if (scene_.source != SourceMode::Output || outputEnded_) return true;
    return output_.atEnd();
}

}  // namespace sorvath
