#include "viewer/core/result_reader.h"

namespace sorvath {
ResultReader::ResultReader(Scene& scene, ViewOptions& options, MessageLog& log, ViewerPrompter& prompter,
                           SceneDisplay& display)
    : scene_(scene), options_(options), log_(log), prompter_(prompter), display_(display) {}
bool ResultReader::openInputFile() { return false; }
bool ResultReader::openOutputFile() { return false; }
bool ResultReader::outdata() { return false; }
OutdrawResult ResultReader::outdraw() { return OutdrawResult::Failed; }
bool ResultReader::reopenresults() { return false; }
bool ResultReader::outputAtEnd() { return true; }
void ResultReader::recomputeSelection() {}
FileOpenRequest ResultReader::inputFileRequest() { return {}; }
FileOpenRequest ResultReader::outputFileRequest() { return {}; }
}  // namespace sorvath
