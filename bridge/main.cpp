// demrun: the road from a packing to a viewer run through LAMMPS
// (prepare, run, convert).
#include "bridge/demrun_command_line.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return demrun::demrunMain(args, std::cout, std::cerr);
}
