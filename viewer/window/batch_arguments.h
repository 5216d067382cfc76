// Sorvath's GIF export on the command line: the options of "sorvath --gif OUTPUT.dat",
// declared on the program's command line, and the export they ask for.
#pragma once

#include "common/program_arguments.h"
#include "viewer/core/view_options.h"
#include "viewer/draw/scale_state.h"

#include <optional>
#include <string>

namespace sorvath {

// What a user of the window would have set before "Animation GIF making".
struct BatchExportRequest {
    std::string run;  // the output file
    int nskip = 0;    // --every N: every N-th step block becomes a frame (nskip N - 1)
    ViewOptions options;
    int zoom = 0;  // presses of "Zoom In" (negative: of "Zoom Out") after the run is opened
    int width = kPictureWidth;
    int height = kPictureHeight;
    std::string output;  // -o; empty: the animation stays the export folder's tempanim.gif
};

class BatchArguments {
public:
    // Declares --gif and its options; `run` (the window's RUN) cannot go with --gif.
    BatchArguments(toolkit::ProgramCommandLine& commandLine, CLI::Option* run);

    // The export, when --gif was given.
    std::optional<BatchExportRequest> request() const;

private:
    // Why the values cannot be used; empty when they can.
    std::string problem();

    std::string gif_;
    int every_ = 1;
    bool lines_ = false;
    std::string select_;
    bool colour_ = false;
    bool periodic_ = false;
    int zoom_ = 0;
    std::string size_;
    std::string output_;
    BatchExportRequest request_;
};

}  // namespace sorvath
