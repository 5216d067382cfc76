#include "viewer/core/playback.h"

namespace sorvath {

StepOutcome Playback::step(int nskip, ContactDisplay contacts) {
    for (int k = 0; k <= nskip; ++k) {
        if (reader_.outputAtEnd()) return StepOutcome::RunEnded;
        switch (reader_.outdraw(contacts)) {
            case OutdrawResult::Read: break;
            case OutdrawResult::WallMismatch: return StepOutcome::WallMismatch;
            // A cut-off last block ends the run like the end of the file does.
            case OutdrawResult::Failed: return StepOutcome::ReadFailed;
        }
    }
    return StepOutcome::Shown;
}

}  // namespace sorvath
