// Sends a key script to the windows of one started program, paced by what the
// display shows rather than by a clock: keys for a window that keeps the focus go
// out at once (the display server queues them in order); where a string opens a
// dialog, closes one or ends the program, the next string waits until the focus
// has moved, the dialog has gone or the program has ended. Every wait has a
// time-out, and no string is sent unless the expected window holds the focus.
#pragma once

#include "viewer/export/assembler_script.h"
#include "viewer/platform/key_sender.h"
#include "viewer/platform/launcher.h"
#include "viewer/platform/pause.h"
#include "viewer/platform/window_activator.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace sorvath {

struct DrivingLimits {
    std::chrono::milliseconds windowWait{20000};  // for the program's first window and its focus
    std::chrono::milliseconds stepWait{20000};    // for each dialog, each close and the program's end
    std::chrono::milliseconds settle{0};          // a fixed pause after every string, for slow machines
    std::chrono::milliseconds poll{2};            // between two looks at the display
};

struct DrivingResult {
    bool completed = false;  // every string sent and the program ended
    int stringsSent = 0;
    std::string failure;  // what stopped the script, in the log's words; empty when completed
};

class KeystrokeDriver {
public:
    KeystrokeDriver(KeySender& keys, WindowActivator& windows, Launcher& processes, PauseFunction pause,
                    DrivingLimits limits);

    // Waits for a window of the program, gives it the focus, calls beforeFirstKey and
    // sends the steps. Only windows that belong to the program are ever focused or typed into.
    DrivingResult drive(ProcessId program, const std::vector<KeyStep>& steps,
                        const std::function<void()>& beforeFirstKey = {});

private:
    enum class Look { Waiting, Reached, Failed };
    // Looks until look() is no longer Waiting or the time is up; Waiting on a time-out.
    Look waitFor(std::chrono::milliseconds limit, const std::function<Look()>& look);
    std::string stepName(size_t index, size_t count, const KeyStep& step) const;
    std::string focusName();

    KeySender& keys_;
    WindowActivator& windows_;
    Launcher& processes_;
    PauseFunction pause_;
    DrivingLimits limits_;
};

}  // namespace sorvath
