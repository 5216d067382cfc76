#include "generator/run_driver.h"

#include <fstream>
#include <sstream>
#include <string>

#include "generator/control_record.h"
#include "generator/packing_files.h"
#include "generator/packing_statistics.h"
#include "generator/particle_shapes.h"

namespace tessark {

namespace {

constexpr const char* kSizeListName = "temp.dat";
constexpr const char* kControlName = "tessctrl.dat";
constexpr const char* kSimulatorInputName = "newin.dat";
constexpr const char* kStatisticsName = "OUTD.DAT";

int stop(std::ostream& console, const std::string& message) {
    console << ' ' << message << '\n';
    console.flush();
    return 1;
}

int writeFailure(std::ostream& console, const char* name) {
    return stop(console, std::string("error: could not write \"") + name + "\"; the run is stopped");
}

bool readWholeFile(const std::filesystem::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    text = buffer.str();
    return true;
}

}  // namespace

int runTessark(const std::filesystem::path& folder, std::istream& operatorInput, std::ostream& console,
               OverlapSearch search, std::ostream* pauseHint) {
    std::ofstream sizeList(folder / kSizeListName, std::ios::trunc);
    if (!sizeList) return stop(console, std::string("error: could not create \"") + kSizeListName + "\"");

    const std::filesystem::path controlPath = folder / kControlName;
    std::string controlText;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(controlPath, ec) || !readWholeFile(controlPath, controlText)) {
        return stop(console,
                    std::string("error: the control file \"") + kControlName + "\" is missing or cannot be read");
    }
    ControlRecord control;
    std::string error;
    if (!readControlRecord(controlText, control, error)) {
        return stop(console, std::string("error in the control file \"") + kControlName + "\": " + error);
    }
    console << " input ok\n";

    PackingStatistics statistics;
    ParticleTable table;
    if (!buildPacking(control, table, statistics, sizeList, operatorInput, console, search, error, kRejectionCap,
                      pauseHint)) {
        return stop(console, "error: " + error);
    }
    {
        std::ofstream input(folder / kSimulatorInputName, std::ios::trunc);
        if (input) writeSimulatorInput(control, table, input);
        input.close();
        if (!input) return writeFailure(console, kSimulatorInputName);
    }
    std::ofstream statisticsFile(folder / kStatisticsName, std::ios::trunc);
    if (statisticsFile) writeStatistics(control, table, statistics, statisticsFile);
    statisticsFile.flush();
    if (!statisticsFile) return writeFailure(console, kStatisticsName);
    console << totalAreaLine(statistics.sums) << '\n';
    console.flush();
    statisticsFile.close();
    sizeList.close();
    if (!statisticsFile) return writeFailure(console, kStatisticsName);
    if (!sizeList) return writeFailure(console, kSizeListName);
    return 0;
}

bool buildPacking(ControlRecord& control, ParticleTable& table, PackingStatistics& statistics, std::ostream& sizeList,
                  std::istream& operatorInput, std::ostream& console, OverlapSearch search, std::string& error,
                  long rejectionCap, std::ostream* pauseHint) {
    std::int32_t ir = 0;
    std::int64_t npart = control.npart;
    if (npart % 2 != 0) ++npart;
    if (npart < 1 || npart > kParticleCapacity) {
        error = "npart = " + std::to_string(control.npart) + " gives " + std::to_string(npart) +
                " particles; the particle table holds 2 to " + std::to_string(kParticleCapacity);
        return false;
    }
    control.npart = static_cast<std::int32_t>(npart);
    if (npart > 9999) {
        console << " notice: " << npart << " particles do not fit the four-character count of \"" << kSimulatorInputName
                << "\"; the count is written with all its digits\n";
    }
    table.reserve(static_cast<std::size_t>(kParticleCapacity));
    if (!generateParticles(control, control.npart, ir, table, console, error, rejectionCap)) return false;
    sortBySize(table);
    writeSizeList(table, sizeList);
    sizeList.flush();
    if (!sizeList) {
        error = std::string("could not write \"") + kSizeListName + "\"; the run is stopped";
        return false;
    }
    if (!placeParticles(control, table, ir, operatorInput, console, search, error, pauseHint)) {
        error += "; the run is stopped";
        return false;
    }
    // Everything the two files say is computed first, so a packing whose
    // statistics are no numbers writes neither.
    statistics = computeStatistics(control, table);
    error = statisticsProblem(control, table, statistics);
    if (!error.empty()) {
        error += "; the run is stopped";
        return false;
    }
    return true;
}

}  // namespace tessark
