#include "bridge/run_physics.h"

#include "bridge/field_text.h"
#include "bridge/lammps_input.h"
#include "bridge/packing_input.h"
#include "bridge/run_conversion.h"
#include "bridge/run_files.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace demrun {

namespace {

// The thermo rows of a LAMMPS log: the third column is the kinetic energy.
void kineticEnergy(const std::string& logText, PhysicsFigures& figures) {
    std::istringstream lines(logText);
    std::string line;
    bool inThermo = false;
    bool any = false;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string first, second, third;
        fields >> first >> second >> third;
        if (first == "Step") {
            inThermo = true;
            continue;
        }
        double step = 0, time = 0, energy = 0;
        if (!inThermo || !parseFieldDouble(first, step) || !parseFieldDouble(second, time) ||
            !parseFieldDouble(third, energy)) {
            inThermo = false;
            continue;
        }
        figures.kineticPeak = std::max(figures.kineticPeak, energy);
        figures.kineticEnd = energy;
        any = true;
    }
    if (!any) throw InputError("log.lammps: no thermo rows (did the run start?)");
}

}  // namespace

PhysicsFigures measurePhysics(const std::string& folder, double balanceTolerance) {
    const ConversionSummary run = convertRun(folder, ConversionMode::Check);
    PhysicsFigures figures;
    figures.particles = run.particles;
    figures.balanceTolerance = balanceTolerance;
    const double g = std::fabs(run.gravity);
    long balanced = 0;
    for (std::size_t i = 0; i < run.masses.size(); ++i) {
        const double weight = run.masses[i] * g;
        figures.weight += weight;
        const Point& f = run.contactForces[i];
        if (std::hypot(f.x, f.y - weight) <= balanceTolerance * weight) ++balanced;
    }
    figures.balancedShare = static_cast<double>(balanced) / static_cast<double>(std::max<long>(run.particles, 1));
    double walls = 0.0;
    for (const Point& w : run.wallForces) walls += w.y;
    figures.wallsShare = walls / figures.weight;
    figures.bottomShare = run.wallForces.size() > 1 ? run.wallForces[1].y / figures.weight : 0.0;
    figures.outside = static_cast<long>(run.outside.size());
    figures.overlapLimit = run.overlapLimit;
    const std::vector<double>& worst = run.worstOverlap;
    figures.largestOverlap = worst.empty() ? 0.0 : *std::max_element(worst.begin(), worst.end());
    kineticEnergy(readTextFile((std::filesystem::path(folder) / kLogFile).string()), figures);
    return figures;
}

AngleComparison compareFinalAngles(const std::string& coarseFolder, const std::string& fineFolder) {
    const ConversionSummary coarse = convertRun(coarseFolder, ConversionMode::Check);
    const ConversionSummary fine = convertRun(fineFolder, ConversionMode::Check);
    if (coarse.lastPoses.size() != fine.lastPoses.size())
        throw InputError(coarseFolder + " and " + fineFolder + " are runs of different packings");
    const Packing packing = readPackingFile((std::filesystem::path(fineFolder) / kPackingCopy).string());
    AngleComparison comparison;
    for (std::size_t i = 0; i < fine.lastPoses.size(); ++i) {
        comparison.largestDifference =
            std::max(comparison.largestDifference, std::fabs(coarse.lastPoses[i].theta - fine.lastPoses[i].theta));
        comparison.largestTurn =
            std::max(comparison.largestTurn, std::fabs(fine.lastPoses[i].theta - packing.particles[i].theta));
    }
    return comparison;
}

std::vector<std::string> physicsLines(const PhysicsFigures& f) {
    const auto n = [](double value) { return numberText(value, 4); };
    return {
        "particles: " + std::to_string(f.particles),
        "bottom wall upward force / weight: " + n(f.bottomShare),
        "all walls' upward force / weight: " + n(f.wallsShare),
        "particles whose contact forces balance their weight within " + n(100.0 * f.balanceTolerance) +
            " %: " + n(100.0 * f.balancedShare) + " %",
        "kinetic energy at the end / peak: " + n(f.kineticEnd / f.kineticPeak) + " (" + n(f.kineticEnd) + " / " +
            n(f.kineticPeak) + ")",
        "particles outside the box: " + std::to_string(f.outside),
        "largest overlap per disc radius: " + n(f.largestOverlap) + " (limit " + n(f.overlapLimit) + ")",
    };
}

}  // namespace demrun
