// Running the road for tests: Tessark on a control text in a fresh folder, then demrun
// prepare, run and convert through the command functions.
#pragma once

#include <filesystem>
#include <string>

namespace demrun::testing {

struct StageResult {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs the packing generator in folder on the control text; true when newin.dat was written.
bool generatePacking(const std::filesystem::path& folder, const std::string& control);

StageResult prepare(const std::filesystem::path& folder, const std::string& params);
StageResult run(const std::filesystem::path& folder, int ranks = 1);
StageResult convert(const std::filesystem::path& folder);

// The whole road into folder/run; the message of the first failing stage in failure.
bool road(const std::filesystem::path& folder, const std::string& control, const std::string& params, int ranks,
          std::string& failure);

}  // namespace demrun::testing
