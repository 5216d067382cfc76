// Stepping through an output run: the animation's running switch, the number of
// step blocks skipped between pictures, the restart from the run's start and one
// step of nskip + 1 blocks with the end-of-run rule. The animation timer and the GIF
// export step the run through the same Playback.
#pragma once

#include "viewer/core/result_reader.h"
#include "viewer/core/view_options.h"

namespace sorvath {

inline constexpr int kMaxSkip = 32767;

enum class StepOutcome {
    Shown,         // nskip + 1 blocks were read: the last one is to be shown
    RunEnded,      // the run ended before them; nothing more is shown
    ReadFailed,    // a block could not be read (reported); the run now counts as ended
    WallMismatch,  // the wall file went out of step (reported, unmounted); the step read is not shown
};

class Playback {
public:
    explicit Playback(ResultReader& reader) : reader_(reader) {}

    bool running() const { return running_; }
    void start() { running_ = true; }
    void stop() { running_ = false; }

    int nskip() const { return nskip_; }
    void skipMore() {
        if (nskip_ < kMaxSkip) ++nskip_;
    }
    void skipLess() {
        if (nskip_ > 0) --nskip_;
    }

    // Reads the run again from its start, keeping the view; false when it cannot be
    // (an input file has no run to restart).
    bool reset() { return reader_.reopenresults(); }
    // True when the run has no further step block.
    bool atEnd() { return reader_.outputAtEnd(); }
    // Reads nskip + 1 step blocks, with the contacts as given.
    StepOutcome step(int nskip, ContactDisplay contacts);

private:
    ResultReader& reader_;
    bool running_ = false;
    int nskip_ = 0;
};

}  // namespace sorvath
