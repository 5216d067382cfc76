// Tessark: generates a random packing from "tessctrl.dat" in the current folder.
#include <unistd.h>

#include <iostream>

#include "common/program_arguments.h"
#include "generator/run_driver.h"

int main(int argc, char** argv) {
    const toolkit::ProgramAbout about{
        "tessark", TOOLKIT_VERSION,
        "Generates a random, non-overlapping packing of discs, ellipses or regular polygons\n"
        "from the control file \"tessctrl.dat\" in the current folder and writes \"newin.dat\",\n"
        "\"temp.dat\" and \"OUTD.DAT\" there.\n"};
    if (const std::optional<int> status = toolkit::answerProgramArguments(argc, argv, about, std::cout, std::cerr))
        return *status;
    std::ios::sync_with_stdio(false);
    // Someone at a terminal is told how to answer the pause; a piped run stays quiet.
    std::ostream* pauseHint = isatty(STDIN_FILENO) ? &std::cerr : nullptr;
    return tessark::runTessark(".", std::cin, std::cout, tessark::OverlapSearch::CellGrid, pauseHint);
}
