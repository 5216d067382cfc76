#include "tests/bridge/sorvath_run.h"

namespace demrun::testing {

namespace {

// The step as the viewer holds it; message is the statistics line logged since the
// previous snapshot (messages up to seen were logged before).
ViewedStep snapshot(const sorvath::Scene& scene, const sorvath::testing::RecordingLog& log, std::size_t& seen) {
    ViewedStep step;
    step.iloop = scene.iloop;
    step.ncont = scene.ncont;
    step.nwcont = scene.nwcont;
    step.contacts.assign(scene.contacts.begin() + 1, scene.contacts.begin() + 1 + scene.nctot);
    step.poses.push_back({});
    for (int i = 1; i <= scene.nop; ++i) step.poses.push_back(scene.particles[static_cast<std::size_t>(i)].current);
    step.walls.assign(scene.walls.begin(), scene.walls.begin() + 1 + scene.nwall);
    for (; seen < log.messages.size(); ++seen)
        if (log.messages[seen].rfind("average fn", 0) == 0) step.message = log.messages[seen];
    return step;
}

}  // namespace

ViewedRun viewRun(const std::string& folder) {
    sorvath::testing::ReaderBench bench;
    bench.options.contactDisplay = sorvath::ContactDisplay::DrawLines;
    bench.prompter.paths = {folder + "/output.dat"};
    bench.prompter.answers = {true};
    ViewedRun run;
    run.opened = bench.reader.openOutputFile() && bench.scene.movewall;
    if (!run.opened) {
        run.messages = bench.log.messages;
        run.beeps = bench.log.beeps;
        return run;
    }
    std::size_t seen = 0;
    run.steps.push_back(snapshot(bench.scene, bench.log, seen));
    run.allStepsRead = true;
    while (!bench.reader.outputAtEnd()) {
        if (bench.reader.outdraw() != sorvath::OutdrawResult::Read) {
            run.allStepsRead = false;
            break;
        }
        run.steps.push_back(snapshot(bench.scene, bench.log, seen));
    }
    run.allStepsRead =
        run.allStepsRead && bench.scene.movewall && bench.options.contactDisplay == sorvath::ContactDisplay::DrawLines;
    run.messages = bench.log.messages;
    run.beeps = bench.log.beeps;
    return run;
}

}  // namespace demrun::testing
