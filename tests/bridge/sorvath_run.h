// Opening a converted run in Sorvath's readers with all three companions mounted and
// stepping through it to the end, recording what each step showed.
#pragma once

#include "tests/viewer/core/recording_viewer.h"

#include <string>
#include <vector>

namespace demrun::testing {

struct ViewedStep {
    long iloop = 0;
    std::vector<sorvath::Contact> contacts;  // as the viewer holds them (fn inverted)
    int ncont = 0;
    int nwcont = 0;
    std::vector<sorvath::Pose> poses;  // current pose per particle, 1-based (slot 0 unused)
    std::vector<sorvath::Wall> walls;  // 1-based
    std::string message;               // the statistics line the step logged (empty: none)
};

struct ViewedRun {
    bool opened = false;
    bool allStepsRead = false;  // every step read with both companions still mounted
    int beeps = 0;
    std::vector<std::string> messages;
    std::vector<ViewedStep> steps;  // from the third step block on
};

// Opens folder/output.dat with the wall file and contact lines on, then steps to the end.
ViewedRun viewRun(const std::string& folder);

}  // namespace demrun::testing
