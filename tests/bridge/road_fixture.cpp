#include "tests/bridge/road_fixture.h"

#include "bridge/demrun_command_line.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace demrun::testing {

namespace {

StageResult stage(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    StageResult result;
    result.status = demrunMain(args, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

}  // namespace

bool generatePacking(const std::filesystem::path& folder, const std::string& control) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "tessctrl.dat") << control;
    const std::string command =
        "cd '" + folder.string() + "' && '" + TOOLKIT_BIN_DIR + "/tessark' < /dev/null > tessark.txt 2>&1";
    return std::system(command.c_str()) == 0 && std::filesystem::exists(folder / "newin.dat");
}

StageResult prepare(const std::filesystem::path& folder, const std::string& params) {
    std::ofstream(folder / "params.txt") << params;
    return stage({"prepare", "--params", (folder / "params.txt").string(), "--folder", (folder / "run").string(),
                  (folder / "newin.dat").string()});
}

StageResult run(const std::filesystem::path& folder, int ranks) {
    return stage({"run", "--np", std::to_string(ranks), (folder / "run").string()});
}

StageResult convert(const std::filesystem::path& folder) { return stage({"convert", (folder / "run").string()}); }

bool road(const std::filesystem::path& folder, const std::string& control, const std::string& params, int ranks,
          std::string& failure) {
    if (!generatePacking(folder, control)) {
        failure = "tessark failed";
        return false;
    }
    const StageResult prepared = prepare(folder, params);
    if (prepared.status != 0) {
        failure = prepared.err;
        return false;
    }
    const StageResult ran = run(folder, ranks);
    if (ran.status != 0) {
        failure = ran.err;
        return false;
    }
    const StageResult converted = convert(folder);
    if (converted.status != 0) {
        failure = converted.err;
        return false;
    }
    return true;
}

}  // namespace demrun::testing
