#include "bridge/lammps_process.h"
#include "bridge/field_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace demrun {
namespace {

TEST(ProgressFilter, OneLinePerThermoRowAndNoRepeats) {
    ProgressFilter filter;
    const std::vector<std::string> console = {
        "LAMMPS (29 Sep 2021 - Update 2)",
        "Per MPI rank memory allocation (min/avg/max) = 5.3 | 5.3 | 5.3 Mbytes",
        "Step Time KinEng ",
        "       0            0            0 ",
        "     200  0.019255356    2.5031212 ",
        "Loop time of 0.03 on 1 procs for 200 steps with 200 atoms",
        "       9            9            9 ",  // not a thermo row any more
        "Step Time c_kinetic ",
        "     200  0.019255356    2.5031212 ",  // a continued run repeats its first row
        "     400  0.038510712    7.9 ",
    };
    std::vector<std::string> shown;
    for (const std::string& line : console)
        if (const auto progress = filter.take(line)) shown.push_back(*progress);
    EXPECT_EQ(shown, (std::vector<std::string>{"step 0  time 0  kinetic energy 0",
                                               "step 200  time 0.019255356  kinetic energy 2.5031212",
                                               "step 400  time 0.038510712  kinetic energy 7.9"}));
}

TEST(LammpsCommand, SerialOrUnderALauncherWithTheRootFlagOnlyForOurMpirun) {
    const std::filesystem::path bin = std::filesystem::temp_directory_path() / "bridge-command-test-bin";
    std::filesystem::create_directories(bin);
    for (const char* name : {"lmp", "mpirun", "srun", "mpiexec"}) {
        std::ofstream(bin / name) << "#!/bin/sh\n";
        std::filesystem::permissions(bin / name, std::filesystem::perms::owner_all);
    }
    const std::string lmp = (bin / "lmp").string();
    const std::string mpirun = (bin / "mpirun").string();
    const std::string path = "/nonexistent:" + bin.string();
    const std::vector<std::string> tail = {lmp, "-in", "in.demrun", "-log", "log.lammps", "-nocite"};
    const struct {
        Launch launch;
        bool root;
        std::vector<std::string> head;
    } cases[] = {
        {{1, "", ""}, true, {}},
        {{2, "", ""}, false, {mpirun, "--oversubscribe", "-np", "2"}},
        {{3, "", ""}, true, {mpirun, "--allow-run-as-root", "--oversubscribe", "-np", "3"}},
        {{4, "", "nodes"}, false, {mpirun, "--hostfile", "nodes", "-np", "4"}},
        {{1, "srun -n  64", ""}, true, {(bin / "srun").string(), "-n", "64"}},
        {{8, "mpiexec -x OMP", "hosts"},
         false,
         {(bin / "mpiexec").string(), "-x", "OMP", "--hostfile", "hosts", "-np", "8"}},
        {{2, "nosuch -n 2", ""}, false, {}},  // not on PATH: refused before anything starts
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected = c.head;
        expected.insert(expected.end(), tail.begin(), tail.end());
        if (c.head.empty() && !c.launch.launcher.empty()) {
            EXPECT_THROW(lammpsCommand(c.launch, "in.demrun", path, c.root), InputError);
            continue;
        }
        EXPECT_EQ(lammpsCommand(c.launch, "in.demrun", path, c.root), expected);
    }
    std::filesystem::remove(bin / "lmp");
    EXPECT_THROW(lammpsCommand({}, "in.demrun", path, false), InputError);
    std::filesystem::remove_all(bin);
}

// A LAMMPS that dies: the step it reached, the signal and its own message line.
TEST(LammpsFailure, NamesTheStepTheSignalAndLammpsOwnMessage) {
    const struct {
        const char* script;
        const char* expected;
    } cases[] = {
        {"echo 'Step Time KinEng'; echo '9600 0.5 2.5'; echo '*** stack smashing detected ***: terminated'; "
         "kill -ABRT $$",
         "LAMMPS stopped after step 9600, killed by signal 6 (SIGABRT, Aborted): *** stack smashing detected ***: "
         "terminated"},
        {"echo 'ERROR: Lost atoms: original 200 current 199 (src/thermo.cpp:481)'; exit 1",
         "LAMMPS stopped before its first step with exit status 1: ERROR: Lost atoms: original 200 current 199 "
         "(src/thermo.cpp:481)"},
        // mpirun reports a rank killed by SIGSEGV as 128 + 11.
        {"echo 'Step Time KinEng'; echo '400 0.1 3'; exit 139",
         "LAMMPS stopped after step 400, killed by signal 11 (SIGSEGV, Segmentation fault)"},
    };
    for (const auto& c : cases) {
        ProgressFilter progress;
        const LammpsOutcome outcome =
            runLammps({"/bin/sh", "-c", c.script}, ".", [&](const std::string& line) { progress.take(line); });
        EXPECT_EQ(failureText(outcome, progress.lastStep()), c.expected);
    }
}

}  // namespace
}  // namespace demrun
