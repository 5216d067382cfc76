// Opening Sorvath's input and output files and their companions, and stepping
// through the run. Owns the five sequential streams; reads into a scene the session
// owns; reports through the injected message log and prompter and writes what the
// window is to show (labels, control groups, the picture's change) into a ViewerState.
#pragma once

#include "runfiles/field_reader.h"
#include "viewer/core/scene.h"
#include "viewer/core/view_options.h"
#include "viewer/core/viewer_interfaces.h"
#include "viewer/core/viewer_state.h"

#include <functional>
#include <optional>
#include <string>

namespace sorvath {

using FieldStream = runfiles::FieldReader;
using runfiles::fieldToInt32;

enum class OutdrawResult {
    Read,          // the step was read (contacts may have been switched off)
    WallMismatch,  // the wall file's step did not match; wall file unmounted, contacts not read
    Failed,        // the output stream could not give a whole step; it now counts as ended
};

class ResultReader {
public:
    ResultReader(Scene& scene, ViewOptions& options, MessageLog& log, ViewerPrompter& prompter, ViewerState& state);

    // "Open Input.dat": message, dialog, read the whole configuration, draw. With a
    // path given, that file is read without the message and the dialog.
    bool openInputFile(const std::optional<std::string>& given = std::nullopt);
    // "Open Output.dat": message, dialog, split the path, wall question, outdata; a
    // path given takes the place of the message and the dialog.
    bool openOutputFile(const std::optional<std::string>& given = std::nullopt);
    // A run named on the command line: an output file when its name is one
    // (isOutputFileName), else an input file; a relative path is taken from the
    // current directory.
    bool openRunFile(const std::string& path);
    // Reads the output stream from its start up to the third step block and draws it.
    bool outdata();
    // Reads the next step block and the matching companion blocks; does not draw.
    // Contacts are read as the view options ask, or as given (the export reads none).
    OutdrawResult outdraw();
    OutdrawResult outdraw(ContactDisplay contacts);
    // Reopens the output stream, the mounted wall stream and both contact streams,
    // then outdata keeping the current zoom.
    bool reopenresults();

    // True when the output stream has no further step (or a step failed).
    bool outputAtEnd();
    // Recomputes the grain-selection marks of the current step with the current ratio.
    void recomputeSelection();

    // The last chosen path (the one every restart reopens).
    const std::string& chosenPath() const { return chosenPath_; }

    static FileOpenRequest inputFileRequest();
    static FileOpenRequest outputFileRequest();

private:
    bool readInputConfiguration();
    bool readOutputStart();
    // Reads a file's head record with readFields, which must give the particle count.
    // A leading count of 0 marks the old layout: the file is reopened and read again
    // in that layout. Then checks and takes the particle and wall counts and dt.
    bool readHeadRecord(FieldStream& in,
                        const std::function<bool(int32_t& nop, int32_t& nwall, double& dt)>& readFields);
    // False, with the reason noted for the failure message, when count records of
    // fieldsEach fields cannot follow in the rest of the file or find no memory.
    // Reads a count field; a whole number beyond 32 bits is refused with its reason noted.
    bool readCount(FieldStream& in, int32_t& count, const char* what);
    // After a failed opening: nothing of the earlier file stays in the tables or the picture.
    void forgetPicture();
    bool makeRoom(FieldStream& in, int32_t count, int fieldsEach, const char* what, void (Scene::*grow)(int));
    bool readStepBlock(bool widenBox);
    // outdraw without its failure report; used for the third block while opening too.
    OutdrawResult readNextStep(ContactDisplay contacts);
    bool readWallBlock();
    // False when the step's contacts exceed the record table.
    bool readContacts();
    void openContactStreams();
    void contactsOff(const char* message);
    // Shows the noted reason (if any) and then message, and beeps.
    void readFailure(const char* message);

    Scene& scene_;
    ViewOptions& options_;
    MessageLog& log_;
    ViewerPrompter& prompter_;
    ViewerState& state_;

    FieldStream input_;
    FieldStream output_;
    FieldStream wall_;
    FieldStream contactRecords_;
    FieldStream contactHeaders_;

    std::string chosenPath_;
    bool firstStepRead_ = false;
    bool outputEnded_ = false;
    // Why the last read failed when a size or a memory limit was the cause; names the
    // file, the count and the limit.
    std::string failureReason_;
};

}  // namespace sorvath
