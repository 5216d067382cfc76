// Prints the physics figures of finished run folders, and with --angles COARSE FINE how
// far the final disc angles of two runs of one preparation lie apart. The driver of
// bench/bridge/physics-report.
#include "bridge/field_text.h"
#include "bridge/run_physics.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"Physics figures of finished demrun runs"};
    std::vector<std::string> folders;
    std::vector<std::string> angles;
    app.add_option("FOLDER", folders, "run folders to measure");
    app.add_option("--angles", angles, "two folders: the same run dumped coarsely and finely")->expected(2);
    CLI11_PARSE(app, argc, argv);
    try {
        for (const std::string& folder : folders) {
            std::cout << folder << ":\n";
            for (const std::string& line : demrun::physicsLines(demrun::measurePhysics(folder)))
                std::cout << "  " << line << "\n";
        }
        if (angles.size() == 2) {
            const demrun::AngleComparison c = demrun::compareFinalAngles(angles[0], angles[1]);
            std::cout << "final disc angles, " << angles[0] << " against " << angles[1] << ": largest difference "
                      << demrun::numberText(c.largestDifference, 3) << " rad (largest turn in the run "
                      << demrun::numberText(c.largestTurn, 3) << " rad)\n";
        }
    } catch (const std::exception& error) {
        std::cerr << "physics-figures: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
