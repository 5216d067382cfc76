#include "bridge/lammps_process.h"
#include "bridge/field_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bridge {
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
        "Step Time KinEng ",
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

TEST(LammpsCommand, SerialOrUnderMpirunWithTheRootFlagOnlyForRoot) {
    const std::filesystem::path bin = std::filesystem::temp_directory_path() / "bridge-command-test-bin";
    std::filesystem::create_directories(bin);
    for (const char* name : {"lmp", "mpirun"}) {
        std::ofstream(bin / name) << "#!/bin/sh\n";
        std::filesystem::permissions(bin / name, std::filesystem::perms::owner_all);
    }
    const std::string lmp = (bin / "lmp").string();
    const std::string mpirun = (bin / "mpirun").string();
    const std::string path = "/nonexistent:" + bin.string();
    EXPECT_EQ(lammpsCommand(1, "in.demrun", path, true),
              (std::vector<std::string>{lmp, "-in", "in.demrun", "-log", "log.lammps", "-nocite"}));
    EXPECT_EQ(lammpsCommand(2, "in.demrun", path, false),
              (std::vector<std::string>{mpirun, "--oversubscribe", "-np", "2", lmp, "-in", "in.demrun", "-log",
                                        "log.lammps", "-nocite"}));
    EXPECT_EQ(lammpsCommand(3, "in.demrun", path, true)[1], "--allow-run-as-root");
    std::filesystem::remove(bin / "lmp");
    EXPECT_THROW(lammpsCommand(1, "in.demrun", path, false), InputError);
    std::filesystem::remove_all(bin);
}

}  // namespace
}  // namespace bridge
