#include "generator/run_driver.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "common/safe_output.h"
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
// The three files of a run, replaced together or not at all.
constexpr std::array<const char*, 3> kOutputNames{kSizeListName, kSimulatorInputName, kStatisticsName};

int stop(std::ostream& console, const std::string& message) {
    console << ' ' << message << '\n';
    console.flush();
    return 1;
}

// Names the file as the run knows it (without the folder) and the system's reason.
int outputFailure(std::ostream& console, const std::filesystem::path& folder, const toolkit::FileFailure& failure) {
    std::string name = failure.path;
    for (const char* output : kOutputNames)
        if (failure.path == (folder / output).string()) name = output;
    return stop(console, "error: could not write \"" + name + "\": " + failure.reason + "; the run is stopped and \"" +
                             kSizeListName + "\", \"" + kSimulatorInputName + "\" and \"" + kStatisticsName +
                             "\" are as they were");
}

// Whether the three files could be replaced: they are staged and dropped at
// once, so a read-only file or a folder that takes no file stops the run
// before the long part of it.
std::optional<toolkit::FileFailure> outputsBlocked(const std::filesystem::path& folder) {
    toolkit::OutputSet probe;
    for (const char* name : kOutputNames) probe.add((folder / name).string());
    return probe.failure();
}

// What one particle takes while the run lasts, about: its table entry, its
// deviates, its sorting room, its cells, and its lines of the three files.
constexpr double kBytesPerParticle = 512.0;

std::string gigabytes(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GB", bytes / 1e9);
    return text;
}

// npart made even, as the normal deviates come in pairs; nullopt with `error`
// when there is no particle, or more than a 32-bit count or the memory holds.
std::optional<std::int32_t> evenParticleCount(std::int32_t npart, std::string& error) {
    const std::string given = std::string("npart = ") + std::to_string(npart) + " in \"" + kControlName + "\"";
    const std::int64_t even = npart % 2 == 0 ? std::int64_t{npart} : std::int64_t{npart} + 1;
    if (even < 1) {
        error = given + " gives no particles (1 or more are needed)";
        return std::nullopt;
    }
    if (even > std::numeric_limits<std::int32_t>::max()) {
        error = given + " would be made even as " + std::to_string(even) + ", beyond the largest count kept, " +
                std::to_string(std::numeric_limits<std::int32_t>::max() - 1);
        return std::nullopt;
    }
    const double needed = static_cast<double>(even) * kBytesPerParticle;
    const double memory = static_cast<double>(::sysconf(_SC_PHYS_PAGES)) * static_cast<double>(::sysconf(_SC_PAGESIZE));
    if (memory > 0.0 && needed > memory) {
        error = given + " asks for " + std::to_string(even) + " particles, which need about " + gigabytes(needed) +
                " of memory; this computer has " + gigabytes(memory);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(even);
}

}  // namespace

int runTessark(const std::filesystem::path& folder, std::istream& operatorInput, std::ostream& console,
               OverlapSearch search, std::ostream* pauseHint) {
    if (const auto failure = outputsBlocked(folder)) return outputFailure(console, folder, *failure);

    toolkit::FileFailure unreadable;
    const std::optional<std::string> controlText =
        toolkit::readRegularFile((folder / kControlName).string(), unreadable);
    if (!controlText) {
        return stop(console, std::string("error: the control file \"") + kControlName +
                                 "\" cannot be read: " + unreadable.reason);
    }
    ControlRecord control;
    std::string error;
    if (!readControlRecord(*controlText, control, error)) {
        return stop(console, std::string("error in the control file \"") + kControlName + "\": " + error);
    }
    console << " input ok\n";

    PackingStatistics statistics;
    ParticleTable table;
    std::string sizeList;
    if (!buildPacking(control, table, statistics, sizeList, operatorInput, console, search, error, kRejectionCap,
                      pauseHint)) {
        return stop(console, "error: " + error);
    }
    const std::string simulatorInput = simulatorInputText(control, table);
    const std::string statisticsFile = statisticsText(control, table, statistics);
    toolkit::OutputSet files;
    files.add((folder / kSizeListName).string(), sizeList);
    files.add((folder / kSimulatorInputName).string(), simulatorInput);
    files.add((folder / kStatisticsName).string(), statisticsFile);
    if (const auto failure = files.commit()) return outputFailure(console, folder, *failure);
    console << totalAreaLine(statistics.sums) << '\n';
    console.flush();
    return 0;
}

bool buildPacking(ControlRecord& control, ParticleTable& table, PackingStatistics& statistics, std::string& sizeList,
                  std::istream& operatorInput, std::ostream& console, OverlapSearch search, std::string& error,
                  long rejectionCap, std::ostream* pauseHint) {
    std::int32_t ir = 0;
    const std::optional<std::int32_t> npart = evenParticleCount(control.npart, error);
    if (!npart) return false;
    control.npart = *npart;
    if (*npart > 9999) {
        console << " notice: " << *npart << " particles do not fit the four-character count of \""
                << kSimulatorInputName << "\"; the count is written with all its digits\n";
    }
    if (!generateParticles(control, control.npart, ir, table, console, error, rejectionCap)) return false;
    sortBySize(table);
    sizeList = sizeListText(table);
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
