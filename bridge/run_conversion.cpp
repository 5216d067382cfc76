#include "bridge/run_conversion.h"

#include "bridge/clump_shapes.h"
#include "bridge/contact_records.h"
#include "bridge/dump_reader.h"
#include "bridge/field_text.h"
#include "bridge/lammps_input.h"
#include "bridge/packing_input.h"
#include "bridge/run_files.h"
#include "bridge/run_markers.h"
#include "bridge/run_parameters.h"
#include "runfiles/constants.h"
#include "runfiles/run_file_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <vector>

namespace demrun {

namespace {

constexpr double kTwoPi = 2.0 * runfiles::kPi;

// A text output handed to its staged file in large pieces.
class Sink {
public:
    // No file: a check that writes nothing; the text is dropped.
    explicit Sink(toolkit::StagedFile* file) : file_(file) { text.reserve(file ? 1 << 22 : 0); }
    void flushIfLarge() {
        if (text.size() > (1 << 21)) flush();
    }
    void flush() {
        if (file_) file_->write(text);
        text.clear();
        // A full disk stops the conversion here rather than after the last dump.
        if (file_ && file_->failed()) throw OutputError(*file_->finish());
    }
    std::string text;

private:
    toolkit::StagedFile* file_;
};

std::string inFolder(const std::string& folder, const char* name) {
    return (std::filesystem::path(folder) / name).string();
}

// Which of the packing's walls is the lid (the top side): its index, or -1.
int lidIndex(const Packing& packing, const RunParameters& r) {
    for (std::size_t k = 0; k < packing.walls.size(); ++k) {
        const WallSegment& w = packing.walls[k];
        if (w.y1 == w.y2 && w.y1 == r.yhi) return static_cast<int>(k);
    }
    return -1;
}

struct WallColumns {
    std::size_t flag, fx, fy, px, py;
};

constexpr const char* kWallFixes[] = {"wall_sides", "wall_bottom", "wall_lid"};

class Converter {
public:
    Converter(const std::string& folder, ConversionMode mode)
        : folder_(folder),
          mode_(mode),
          packing_(readPackingFile(inFolder(folder, kPackingCopy))),
          setup_(readSetupText(readTextFile(inFolder(folder, kSetupFile)), inFolder(folder, kSetupFile))),
          run_(mode == ConversionMode::Check ? std::nullopt : checkRunFolder(folder, setup_)),
          atoms_(dumpFiles(folder, kParticleDump)),
          pairs_(dumpFiles(folder, kPairDump)),
          clumps_(packingClumps(packing_, setup_)),
          contacts_(clumps_) {
        walls_ = packing_.walls;
        lid_ = lidIndex(packing_, setup_);
        poses_.resize(packing_.particles.size());
        for (std::size_t i = 0; i < poses_.size(); ++i) poses_[i].theta = packing_.particles[i].theta;
        outsideAt_.assign(poses_.size(), -1);
    }

    ConversionSummary run() {
        OutputFiles files;
        const bool writes = mode_ != ConversionMode::Check;
        const auto file = [&](const char* name) { return writes ? &files.add(inFolder(folder_, name)) : nullptr; };
        Sink output(file(kOutputFile));
        Sink wall(file(kWallFile));
        Sink headers(file(kContactHeaderFile));
        Sink records(file(kContactRecordFile));

        {
            runfiles::RunHead head;
            head.dt = setup_.dt;
            head.nloop = static_cast<double>(setup_.steps);
            head.parameters = {setup_.dt, setup_.gravity, setup_.friction, setup_.restitution, 0.0,
                               0.0,       setup_.kn,      setup_.kt};
            const std::vector<runfiles::ParticleShape> shapes(packing_.particles.begin(), packing_.particles.end());
            runfiles::RecordWriter out(output.text);
            runfiles::writeOutputHead(out, head, shapes, packing_.walls, RecordLayout::Long);
        }
        long blocks = 0;
        std::optional<long> previous;
        while (nextAtomBlock()) {
            if (!pairs_.next(pairBlock_))
                throw InputError(std::string(kPairDump) + ": ends before timestep " +
                                 std::to_string(atomBlock_.timestep));
            if (pairBlock_.timestep != atomBlock_.timestep)
                throw InputError(std::string(kPairDump) + ": timestep " + std::to_string(pairBlock_.timestep) +
                                 " where the particle dump has " + std::to_string(atomBlock_.timestep));
            // Sorvath reads step numbers as 32-bit integers; a larger one could not be shown
            // (and the difference of two unchecked ones could overflow).
            if (atomBlock_.timestep < std::numeric_limits<std::int32_t>::min() ||
                atomBlock_.timestep > std::numeric_limits<std::int32_t>::max())
                throw InputError(std::string(kParticleDump) + ": timestep " + std::to_string(atomBlock_.timestep) +
                                 " is beyond the viewer's step numbers (-2147483648 .. 2147483647)");
            // A run continued in pieces may repeat the last dump of a piece.
            if (previous && atomBlock_.timestep == *previous) continue;
            if (previous && atomBlock_.timestep < *previous)
                throw InputError(std::string(kParticleDump) + ": timestep " + std::to_string(atomBlock_.timestep) +
                                 " comes after " + std::to_string(*previous));
            takePoses(previous);
            previous = atomBlock_.timestep;
            runfiles::RecordWriter stepOut(output.text);
            runfiles::writeStepBlock(stepOut, atomBlock_.timestep, poses_);
            moveLid();
            findContacts();
            if (blocks >= 2) {
                runfiles::RecordWriter wallOut(wall.text);
                runfiles::RecordWriter headerOut(headers.text);
                runfiles::RecordWriter recordOut(records.text);
                runfiles::writeWallBlock(wallOut, atomBlock_.timestep, walls_);
                runfiles::writeContactHeader(headerOut, atomBlock_.timestep, static_cast<int>(pairContacts_.size()),
                                             static_cast<int>(wallContacts_.size()));
                runfiles::writeContactRecords(recordOut, pairContacts_);
                runfiles::writeContactRecords(recordOut, wallContacts_);
            }
            ++blocks;
            output.flushIfLarge();
            wall.flushIfLarge();
            headers.flushIfLarge();
            records.flushIfLarge();
        }
        ConversionSummary summary;
        summary.stepBlocks = blocks;
        summary.promisedDumps = promisedDumps(setup_);
        summary.particles = static_cast<long>(packing_.particles.size());
        summary.dumpBytes = atoms_.bytes() + pairs_.bytes();
        summary.overlapLimit = setup_.impactOverlap;
        summary.lastPoses = poses_;
        summary.worstOverlap = contacts_.worstOverlap();
        contacts_.forces(summary.contactForces, summary.wallForces);
        summary.gravity = setup_.gravity;
        for (const PackedParticle& p : packing_.particles) summary.masses.push_back(particleMass(p, setup_.density));
        for (std::size_t i = 0; i < poses_.size(); ++i) {
            const double worst = contacts_.worstOverlap()[i];
            if (setup_.impactOverlap > 0.0 && worst > setup_.impactOverlap)
                summary.overlapping.push_back({static_cast<int>(i) + 1, worst});
            if (outsideAt_[i] >= 0) summary.outside.push_back({static_cast<int>(i) + 1, outsideAt_[i]});
        }
        if (mode_ == ConversionMode::Check) return summary;
        checkDumpCount(blocks);
        if (blocks < 3)
            throw InputError(std::string(kParticleDump) + ": holds " + std::to_string(blocks) +
                             " step blocks; the viewer needs at least three");
        for (Sink* sink : {&output, &wall, &headers, &records}) sink->flush();

        // The marker stays only when a kill comes between the renames.
        const std::string markerPath = inFolder(folder_, kConvertingMarker);
        summary.mendsCutOffConversion = readMarker(markerPath).has_value();
        std::optional<HeldMarker> marker;
        try {
            files.commit([&]() {
                marker.emplace(markerPath, setup_.runStamp,
                               folder_ + ": another demrun convert is renaming the run files of this folder");
            });
        } catch (const OutputError&) {
            if (marker) marker->keep();  // some files may have been renamed
            throw;
        }
        return summary;
    }

private:
    // Refuses a run that demrun run is still writing, and dumps of another preparation:
    // they belong to this one when demrun run copied its stamp (setups written before
    // stamps existed have none and are taken as they are). Returns the marker of a run
    // that was killed, to explain missing dumps.
    static std::optional<MarkerOwner> checkRunFolder(const std::string& folder, const RunParameters& setup) {
        const std::string marker = inFolder(folder, kRunningMarker);
        auto owner = readMarker(marker);
        if (owner && owner->running)
            throw InputError(folder + ": demrun run (process " + std::to_string(owner->pid) +
                             ") is still writing the dumps; convert the run when it has ended (" + marker +
                             " is removed then)");
        const std::string copied = copiedRunStamp(folder);
        if (setup.runStamp.empty() && copied.empty()) return owner;
        if (copied.empty())
            throw InputError(folder + ": the dumps are not from a run of this preparation (" + kSetupFile +
                             " has run stamp " + setup.runStamp + ", there is no " + kStampFile +
                             "): run demrun run first");
        if (copied != setup.runStamp)
            throw InputError(folder + ": the dumps belong to another preparation (run stamp " + copied + " in " +
                             kStampFile + ", " + (setup.runStamp.empty() ? "none" : setup.runStamp) + " in " +
                             kSetupFile + "): run demrun run again");
        return owner;
    }

    // The next particle block. A block the dump cannot give whole (cut short by a crash,
    // or nan from a run that became unstable) ends the dumps; checkDumpCount then says
    // how many whole dumps there are and why the next is missing.
    bool nextAtomBlock() {
        try {
            return atoms_.next(atomBlock_);
        } catch (const InputError& error) {
            cutShort_ = error.what();
            return false;
        }
    }

    // A run that stopped before its end (killed, or LAMMPS failed) has fewer dumps than
    // its setup promised; more than that means the dumps are another setup's.
    void checkDumpCount(long blocks) const {
        const long promised = promisedDumps(setup_);
        const std::string dump = inFolder(folder_, kParticleDump);
        const bool partial = mode_ == ConversionMode::Partial;
        if (!cutShort_.empty() && !partial && blocks >= promised) throw InputError(cutShort_);
        if (blocks < promised && !partial) {
            std::string message = dump + ": holds " + std::to_string(blocks) + " dumps of " + std::to_string(promised) +
                                  "; the run did not complete";
            if (!cutShort_.empty()) message += " (" + cutShort_ + ")";
            if (run_) message += " (demrun run, process " + std::to_string(run_->pid) + ", stopped before its end)";
            throw InputError(message + ". Convert them anyway with demrun convert --partial");
        }
        if (blocks > promised)
            throw InputError(dump + ": holds " + std::to_string(blocks) + " dumps, more than the " +
                             std::to_string(promised) + " the run was set up for: the dumps are not of this setup");
    }

    // Reads the block's rows into the atoms' positions in id order, and from them the
    // particles' poses with their angles.
    void takePoses(const std::optional<long>& previous) {
        const std::string name = kParticleDump;
        const std::size_t n = contacts_.atoms();
        if (atomBlock_.rows != n)
            throw InputError(name + ": timestep " + std::to_string(atomBlock_.timestep) + " holds " +
                             std::to_string(atomBlock_.rows) + " discs, the prepared packing " + std::to_string(n) +
                             ": the dumps are not of this packing");
        const std::size_t id = atomBlock_.column("id", name);
        const std::size_t x = atomBlock_.column("x", name);
        const std::size_t y = atomBlock_.column("y", name);
        const std::size_t mx = atomBlock_.column("mux", name);
        const std::size_t my = atomBlock_.column("muy", name);
        const std::size_t spin = atomBlock_.column("f_spin", name);
        rowOf_.assign(n, n);
        for (std::size_t r = 0; r < n; ++r) {
            // Ids are whole numbers from 1 to n, checked as read: rounding 1.4 to 1 would
            // give a disc another's position, and 1e300 has no integer to round to.
            const double value = atomBlock_.at(r, id);
            if (!(value >= 1.0 && value <= static_cast<double>(n)) || value != std::floor(value))
                throw InputError(name + ": timestep " + std::to_string(atomBlock_.timestep) + ": particle id " +
                                 numberText(value, 10) + " is not a whole number from 1 to " + std::to_string(n));
            const auto index = static_cast<std::size_t>(value) - 1;
            if (rowOf_[index] != n)
                throw InputError(name + ": timestep " + std::to_string(atomBlock_.timestep) + ": particle id " +
                                 numberText(value, 10) + " is repeated");
            rowOf_[index] = r;
        }
        atoms_xy_.resize(n);
        for (std::size_t a = 0; a < n; ++a) atoms_xy_[a] = {atomBlock_.at(rowOf_[a], x), atomBlock_.at(rowOf_[a], y)};
        const double elapsed = previous ? static_cast<double>(atomBlock_.timestep - *previous) * setup_.dt : 0.0;
        const double lidY = setup_.yhi - setup_.lidSpeed * static_cast<double>(atomBlock_.timestep) * setup_.dt;
        std::size_t first = 0;
        for (std::size_t i = 0; i < poses_.size(); ++i) {
            const Clump& clump = clumps_[i];
            const std::size_t count = clump.discs.size();
            double raw = 0.0;
            if (clump.rigid) {
                const std::vector<Point> discs(atoms_xy_.begin() + static_cast<long>(first),
                                               atoms_xy_.begin() + static_cast<long>(first + count));
                const ClumpPose pose = clumpPose(clump, discs);
                poses_[i].x = pose.x;
                poses_[i].y = pose.y;
                raw = pose.theta;
            } else {
                poses_[i].x = atoms_xy_[first].x;
                poses_[i].y = atoms_xy_[first].y;
                raw = std::atan2(atomBlock_.at(rowOf_[first], my), atomBlock_.at(rowOf_[first], mx));
            }
            // The dipole (or the clump's discs) give the angle up to whole turns; the mean
            // spin over the interval says which turn. The first dump is the packing's own angle.
            const double expected = poses_[i].theta + atomBlock_.at(rowOf_[first], spin) * elapsed;
            const double turn = kTwoPi * std::round((expected - raw) / kTwoPi);
            if (previous || std::fabs(raw + turn - expected) > 1e-6) poses_[i].theta = raw + turn;
            for (std::size_t a = first; a < first + count; ++a) {
                const Point& p = atoms_xy_[a];
                if (outsideAt_[i] < 0 && (p.x < setup_.xlo || p.x > setup_.xhi || p.y < setup_.ylo || p.y > lidY))
                    outsideAt_[i] = atomBlock_.timestep;
            }
            first += count;
        }
    }

    void moveLid() {
        if (lid_ < 0) return;
        const double y = setup_.yhi - setup_.lidSpeed * static_cast<double>(atomBlock_.timestep) * setup_.dt;
        walls_[static_cast<std::size_t>(lid_)].y1 = y;
        walls_[static_cast<std::size_t>(lid_)].y2 = y;
    }

    // The disc contacts of the pair dump and the wall columns of the particle dump,
    // summed per particle pair and per particle and wall.
    void findContacts() {
        const std::string name = kPairDump;
        const std::size_t n = contacts_.atoms();
        contacts_.start(atoms_xy_);
        const std::size_t pi = pairBlock_.column("c_pair_atoms[1]", name);
        const std::size_t pj = pairBlock_.column("c_pair_atoms[2]", name);
        std::size_t force[6];
        for (int k = 0; k < 6; ++k) force[k] = pairBlock_.column("c_pairs[" + std::to_string(k + 1) + "]", name);
        for (std::size_t r = 0; r < pairBlock_.rows; ++r) {
            const long i = std::lround(pairBlock_.at(r, pi));
            const long j = std::lround(pairBlock_.at(r, pj));
            if (i < 1 || j < 1 || static_cast<std::size_t>(i) > n || static_cast<std::size_t>(j) > n || i == j)
                throw InputError(name + ": timestep " + std::to_string(pairBlock_.timestep) +
                                 ": a pair names particle " + std::to_string(std::max(i, j)));
            contacts_.addPair(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(j - 1),
                              pairBlock_.at(r, force[0]), pairBlock_.at(r, force[1]), pairBlock_.at(r, force[2]),
                              pairBlock_.at(r, force[4]), pairBlock_.at(r, force[5]));
        }
        const std::string atoms = kParticleDump;
        int wall = 0;
        for (const char* fix : kWallFixes) {
            const auto col = [&](int k) {
                return atomBlock_.column(std::string("f_") + fix + "[" + std::to_string(k) + "]", atoms);
            };
            const WallColumns c{col(1), col(2), col(3), col(5), col(6)};
            for (std::size_t a = 0; a < n; ++a) {
                const std::size_t r = rowOf_[a];
                if (atomBlock_.at(r, c.flag) == 0.0) continue;
                contacts_.addWall(wall, a, atomBlock_.at(r, c.fx), atomBlock_.at(r, c.fy), atomBlock_.at(r, c.px),
                                  atomBlock_.at(r, c.py));
            }
            ++wall;
        }
        contacts_.finish(poses_, pairContacts_, wallContacts_);
    }

    std::string folder_;
    ConversionMode mode_;
    std::string cutShort_;  // why the particle dump ended before its end of file
    Packing packing_;
    RunParameters setup_;
    std::optional<MarkerOwner> run_;  // the marker of a run that was killed
    DumpSeries atoms_;
    DumpSeries pairs_;
    std::vector<Clump> clumps_;
    ContactRecords contacts_;
    std::vector<Point> atoms_xy_;
    std::vector<long> outsideAt_;  // per particle: the first step a disc of it was outside the walls, or -1
    DumpBlock atomBlock_;
    DumpBlock pairBlock_;
    std::vector<WallSegment> walls_;
    int lid_ = -1;
    std::vector<ParticlePose> poses_;
    std::vector<std::size_t> rowOf_;
    std::vector<ContactOut> pairContacts_;
    std::vector<ContactOut> wallContacts_;
};

}  // namespace

ConversionSummary convertRun(const std::string& folder, ConversionMode mode) { return Converter(folder, mode).run(); }

std::vector<std::string> checkWarnings(const ConversionSummary& summary) {
    std::vector<std::string> lines;
    const auto listed = [](const auto& entries, const auto& describe) {
        std::string text;
        const std::size_t shown = std::min<std::size_t>(entries.size(), 10);
        for (std::size_t k = 0; k < shown; ++k) text += (k ? ", " : "") + describe(entries[k]);
        if (entries.size() > shown) text += " and " + std::to_string(entries.size() - shown) + " more";
        return text;
    };
    if (!summary.outside.empty())
        lines.push_back(std::to_string(summary.outside.size()) +
                        " particle(s) left the box: " + listed(summary.outside, [](const std::pair<int, long>& e) {
                            return std::to_string(e.first) + " (from step " + std::to_string(e.second) + ")";
                        }));
    if (!summary.overlapping.empty())
        lines.push_back(
            std::to_string(summary.overlapping.size()) + " particle(s) overlapped a neighbour or a wall by more than " +
            numberText(summary.overlapLimit, 6) +
            " of a disc radius (impact_overlap): " + listed(summary.overlapping, [](const std::pair<int, double>& e) {
                return std::to_string(e.first) + " (" + numberText(e.second, 3) + ")";
            }));
    return lines;
}

}  // namespace demrun
