// demrun's commands as a user meets them: the command line, the files prepare writes
// when it cannot write them all, run and convert against each other, and the line run
// suggests.
#include "bridge/demrun_command_line.h"
#include "bridge/lammps_input.h"
#include "bridge/run_markers.h"
#include "bridge/shell_word.h"
#include "tests/bridge/hand_run.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/scratch_folder.h"
#include "tests/viewer/support/result_run_writer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

namespace demrun {
namespace {

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

Outcome runDemrun(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Outcome outcome;
    outcome.status = demrunMain(args, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

TEST(DemrunCommandLine, AnswersHelpForEachCommandAndRefusesWhatItDoesNotKnowWithStatus2) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* text;  // on out for status 0, on err otherwise
    } cases[] = {
        {{"--help"}, 0, "Usage: demrun [--help | --version] COMMAND ...\n"},
        {{"-h"}, 0, "Commands:\n  prepare"},
        {{"--version"}, 0, "demrun " TOOLKIT_VERSION "\nCopyright"},
        {{"prepare", "--help"}, 0, "Usage: demrun prepare [--help] [--params FILE] [--folder DIR] NEWIN\n"},
        {{"run", "-h"}, 0, "--np N"},
        {{"convert", "x", "--help"}, 0, "Usage: demrun convert [--help] [--partial] [DIR]\n"},
        {{}, 2, "demrun: no command given\nUsage: demrun [--help | --version] COMMAND ...\nTry 'demrun --help'"},
        {{"frob"}, 2, "demrun: unknown command 'frob'\n"},
        {{"--frob"}, 2, "demrun: unknown option --frob\n"},
        {{"run", "--frob"},
         2,
         "demrun: unknown option --frob\nUsage: demrun run [--help] [--np N] [--mpirun CMD] [--hostfile FILE] "
         "[DIR]\n"
         "Try 'demrun run --help'"},
        {{"convert", "a", "b"}, 2, "demrun: more than one run folder given\n"},
        {{"prepare"}, 2, "demrun: prepare needs one packing file\n"},
        {{"prepare", "a", "b"}, 2, "demrun: prepare needs one packing file\n"},
        {{"prepare", "a", "--params"}, 2, "demrun: --params needs a value\n"},
        {{"run", "--np", "1.5"}, 2, "demrun: --np needs a whole number of ranks, not '1.5'\n"},
        {{"run", "--hostfile", "/nonexistent/hosts"}, 2, "demrun: --hostfile: File does not exist: /nonexistent/hosts"},
        {{"run", "-h"}, 0, "--mpirun CMD"},
        {{"convert", "-h"}, 0, "--partial"},
        {{"convert", "-h"}, 0, "current folder)\n\nWrites output.dat"},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& arg : c.args) line += " " + arg;
        SCOPED_TRACE("demrun" + line);
        const Outcome outcome = runDemrun(c.args);
        EXPECT_EQ(outcome.status, c.status);
        const std::string& shown = c.status == 0 ? outcome.out : outcome.err;
        EXPECT_NE(shown.find(c.text), std::string::npos) << shown;
        EXPECT_EQ(c.status == 0 ? outcome.err : outcome.out, "");
    }
}

// What /bin/sh makes of a word pasted into a command line.
std::string shellReads(const std::string& word) {
    std::FILE* shell = ::popen(("printf %s " + word).c_str(), "r");
    std::string text;
    char buffer[256];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, shell)) > 0) text.append(buffer, n);
    ::pclose(shell);
    return text;
}

TEST(ShellWord, EveryFolderNameReadsBackUnchangedAndRunsNothing) {
    for (const std::string folder : {"run", "/home/ana/runs/2024-05_a+b", "my run", "`id`", "$(id)", "it's", "'",
                                     "a\"b", "~/run", "*", "a;b|c&", "tab\there", "new\nline", "-", ""}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(shellReads(shellWord(folder)), folder);
    }
    EXPECT_EQ(shellWord("/home/ana/run-1"), "/home/ana/run-1");  // plain names stay plain
}

// prepare writes its three files (and the packing's copy) all or none: a refusal
// leaves the earlier preparation byte for byte.
TEST(DemrunPrepare, AFileThatCannotBeWrittenLeavesTheEarlierPreparation) {
    const struct {
        const char* name;
        std::function<void(const std::filesystem::path&)> spoil;
        const char* message;
        rlim_t fileSizeLimit = 0;
    } cases[] = {
        {"disk full", [](const std::filesystem::path&) {}, "packing.data: cannot be written (File too large)", 200},
        {"read-only script",
         [](const std::filesystem::path& f) {
             std::filesystem::permissions(f / kScriptFile, std::filesystem::perms(0444));
         },
         "in.demrun: cannot be written (Permission denied)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        toolkit::testing::ScratchFolder folder;
        testing::HandRun hand(folder.path());
        const std::string packing = (folder.path() / kPackingCopy).string();
        const std::string run = (folder.path() / "run").string();
        ASSERT_EQ(runDemrun({"prepare", "--folder", run, packing}).status, 0);
        c.spoil(run);
        const auto before = testing::folderState(run);
        std::ofstream(folder.path() / "params.txt") << "steps = 500\n";
        Outcome outcome;
        {
            std::optional<toolkit::testing::FileSizeLimit> full;
            if (c.fileSizeLimit > 0) full.emplace(c.fileSizeLimit);
            outcome = runDemrun({"prepare", "--params", folder.file("params.txt"), "--folder", run, packing});
        }
        EXPECT_EQ(outcome.status, 1);
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_EQ(testing::folderState(run), before);
    }
}

// No table of fixed size stands between a large packing and its run.
TEST(DemrunPrepare, APackingOfMoreThanTenThousandDiscsPrepares) {
    toolkit::testing::ScratchFolder folder;
    sorvath::testing::ResultRun lattice = sorvath::testing::latticeRun(12000, 1);
    for (auto& shape : lattice.shapes) shape = {shape.a, shape.a, kCircleVertexMark};
    const std::string packing = folder.file("newin.dat");
    sorvath::testing::writeTextFile(packing,
                                    sorvath::testing::inputFileText(lattice, sorvath::testing::RecordLayout::Long));
    const Outcome outcome = runDemrun({"prepare", "--folder", folder.file("run"), packing});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("prepared 12000 discs"), std::string::npos) << outcome.out;
}

// A packing prepared into the folder of an earlier run gets a new stamp: the old
// dumps no longer pass for its own.
TEST(DemrunPrepare, DumpsOfTheEarlierPreparationAreNotConverted) {
    toolkit::testing::ScratchFolder folder;
    testing::HandRun hand(folder.path());
    ASSERT_EQ(runDemrun({"convert", folder.path().string()}).status, 0);
    std::ofstream(folder.path() / "moved.dat")
        << " 0\n 3 4 2e-6 0\n 0.5\n 3 2 0.1\n 3 2 0.1\n 0.5\n 1 2 0\n 1 2 0\n 0.25\n 2 3 0\n 2 3 0\n"
           " 0 4 0 0\n 0 0 4 0\n 4 0 4 4\n 4 4 0 4\n 400\n 0.025 9800\n 0.5 0.5 0\n 0 9.6e8 2.4e8\n 2000 1000\n";
    ASSERT_EQ(runDemrun({"prepare", "--folder", folder.path().string(), folder.file("moved.dat")}).status, 0);
    const Outcome converted = runDemrun({"convert", folder.path().string()});
    EXPECT_EQ(converted.status, 1);
    EXPECT_NE(converted.err.find("the dumps belong to another preparation (run stamp hand-run in demrun.stamp"),
              std::string::npos)
        << converted.err;
}

// A run that crashed while LAMMPS wrote its last dump: the whole dumps before it are
// converted only when asked for.
TEST(DemrunConvert, ARunThatDidNotCompleteIsConvertedOnlyWithPartial) {
    toolkit::testing::ScratchFolder folder;
    testing::HandRun hand(folder.path());
    const std::string dump = testing::HandRun::particleDump();
    folder.write(kParticleDump, dump.substr(0, dump.size() - 40));
    const Outcome refused = runDemrun({"convert", folder.path().string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("holds 3 dumps of 4; the run did not complete"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("demrun convert --partial"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "output.dat"));

    const Outcome partial = runDemrun({"convert", "--partial", folder.path().string()});
    EXPECT_EQ(partial.status, 0) << partial.err;
    EXPECT_NE(partial.out.find("converting 3 dumps of 4"), std::string::npos) << partial.out;
    EXPECT_NE(partial.out.find("converted 3 step blocks"), std::string::npos) << partial.out;
}

// Disc 3 sinks 0.1 below the floor at the last dump: it left the box, and its centre lies
// 0.1 from the wall's contact point, an overlap of 0.6 of its radius 0.25, beyond 0.2.
TEST(DemrunConvert, ParticlesOutsideTheBoxOrOverlappingTooMuchAreNamed) {
    toolkit::testing::ScratchFolder folder;
    testing::HandRun hand(folder.path());
    std::string dump = testing::HandRun::particleDump();
    const std::size_t last = dump.rfind("3 2 0.25 ");
    dump.replace(last, 9, "3 2 -0.1 ");
    folder.write(kParticleDump, dump);
    const Outcome converted = runDemrun({"convert", folder.path().string()});
    EXPECT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(converted.err,
              "demrun: warning: 1 particle(s) left the box: 3 (from step 300)\n"
              "demrun: warning: 1 particle(s) overlapped a neighbour or a wall by more than 0.2 of a disc radius "
              "(impact_overlap): 3 (0.6)\n");
}

TEST(DemrunRun, ASecondRunInTheSameFolderIsRefusedAndChangesNothing) {
    toolkit::testing::ScratchFolder folder;
    testing::HandRun hand(folder.path());
    folder.write(kScriptFile, "# a script\n");
    folder.write(kRunningMarker, "pid = " + std::to_string(::getpid()) + "\n");
    const auto before = testing::folderState(folder.path());
    const Outcome outcome = runDemrun({"run", folder.path().string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("demrun run is already running in this folder (process " + std::to_string(::getpid())),
              std::string::npos)
        << outcome.err;
    EXPECT_EQ(testing::folderState(folder.path()), before);
}

}  // namespace
}  // namespace demrun
