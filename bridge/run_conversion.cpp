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

// A text output handed to its staged file record by record in pieces of a megabyte, so
// no step's text is held whole. A piece that size goes straight to the file (a staged
// file copies only smaller ones into its buffer).
class Sink {
public:
    static constexpr std::size_t kPiece = std::size_t(1) << 20;
    // No file: a check that writes nothing; the text is dropped. A large output takes
    // room for a piece at once (grown by doubling, it would take two).
    Sink(toolkit::StagedFile* file, bool large) : file_(file) {
        if (large) text.reserve(kPiece + 4096);
    }
    void flushIfLarge() {
        if (text.size() >= kPiece) flush();
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

// A disc touching a wall, as the particle dump gives it.
struct WallRow {
    std::size_t atom;
    double fx, fy, px, py;
};

constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

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
        for (const PackedParticle& p : packing_.particles) masses_.push_back(particleMass(p, setup_.density));
        // Only the rigid clumps are kept: a free disc is one atom.
        std::vector<Clump> rigid;
        rigidIndex_.reserve(clumps_.size());
        for (Clump& clump : clumps_) {
            rigidIndex_.push_back(clump.rigid ? static_cast<std::int32_t>(rigid.size()) : -1);
            if (clump.rigid) rigid.push_back(std::move(clump));
        }
        clumps_ = std::move(rigid);
    }

    ConversionSummary run() {
        OutputFiles files;
        const bool writes = mode_ != ConversionMode::Check;
        const auto file = [&](const char* name) { return writes ? &files.add(inFolder(folder_, name)) : nullptr; };
        Sink output(file(kOutputFile), true);
        Sink wall(file(kWallFile), false);
        Sink headers(file(kContactHeaderFile), false);
        Sink records(file(kContactRecordFile), true);

        {
            runfiles::RunHead head;
            head.dt = setup_.dt;
            head.nloop = static_cast<double>(setup_.steps);
            head.parameters = {setup_.dt, setup_.gravity, setup_.friction, setup_.restitution, 0.0,
                               0.0,       setup_.kn,      setup_.kt};
            runfiles::RecordWriter out(output.text);
            runfiles::writeOutputHeadStart(out, head, packing_.particles.size(), packing_.walls, RecordLayout::Long);
            long index = 1;
            for (const PackedParticle& particle : packing_.particles) {
                runfiles::writeShapeRecord(out, head, index++, particle, RecordLayout::Long);
                output.flushIfLarge();
            }
        }
        std::vector<PackedParticle>().swap(packing_.particles);  // the poses, masses and clumps hold what is needed
        long blocks = 0;
        std::optional<long> previous;
        while (nextAtomBlock()) {
            if (!pairs_.nextHeader(pairBlock_))
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
            if (previous && atomBlock_.timestep == *previous) {
                skipPairRows();
                continue;
            }
            if (previous && atomBlock_.timestep < *previous)
                throw InputError(std::string(kParticleDump) + ": timestep " + std::to_string(atomBlock_.timestep) +
                                 " comes after " + std::to_string(*previous));
            takePoses(previous);
            previous = atomBlock_.timestep;
            runfiles::RecordWriter stepOut(output.text);
            runfiles::writeStepRecord(stepOut, atomBlock_.timestep);
            for (std::size_t i = 0; i < poses_.size(); ++i) {
                runfiles::writePoseRecord(stepOut, static_cast<long>(i) + 1, poses_[i]);
                output.flushIfLarge();
            }
            moveLid();
            findContacts();
            if (blocks >= 2) {
                runfiles::RecordWriter wallOut(wall.text);
                runfiles::RecordWriter headerOut(headers.text);
                runfiles::RecordWriter recordOut(records.text);
                runfiles::writeWallBlock(wallOut, atomBlock_.timestep, walls_);
                runfiles::writeContactHeader(headerOut, atomBlock_.timestep, static_cast<int>(contacts_.pairCount()),
                                             static_cast<int>(contacts_.wallCount()));
                for (std::size_t k = 0; k < contacts_.pairCount(); ++k) {
                    runfiles::writeContactRecord(recordOut, contacts_.pairRecord(k, poses_));
                    records.flushIfLarge();
                }
                for (std::size_t k = 0; k < contacts_.wallCount(); ++k) {
                    runfiles::writeContactRecord(recordOut, contacts_.wallRecord(k, poses_));
                    records.flushIfLarge();
                }
            }
            ++blocks;
            output.flushIfLarge();
            wall.flushIfLarge();
            headers.flushIfLarge();
            records.flushIfLarge();
        }
        releaseAtoms();
        ConversionSummary summary;
        summary.stepBlocks = blocks;
        summary.promisedDumps = promisedDumps(setup_);
        summary.particles = static_cast<long>(poses_.size());
        summary.dumpBytes = atoms_.bytes() + pairs_.bytes();
        summary.overlapLimit = setup_.impactOverlap;
        summary.worstOverlap = contacts_.worstOverlap();
        contacts_.forces(summary.contactForces, summary.wallForces);
        summary.gravity = setup_.gravity;
        summary.masses = std::move(masses_);
        for (std::size_t i = 0; i < poses_.size(); ++i) {
            const double worst = summary.worstOverlap[i];
            if (setup_.impactOverlap > 0.0 && worst > setup_.impactOverlap)
                summary.overlapping.push_back({static_cast<int>(i) + 1, worst});
            if (outsideAt_[i] >= 0) summary.outside.push_back({static_cast<int>(i) + 1, outsideAt_[i]});
        }
        summary.lastPoses = std::move(poses_);
        contacts_ = ContactRecords({});  // given back before the files' last pieces are written
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
            if (!atoms_.nextHeader(atomBlock_)) return false;
            readAtomRows();
            return true;
        } catch (const InputError& error) {
            cutShort_ = error.what();
            return false;
        }
    }

    // The block's rows, one by one, into the atoms' positions, angles (of their dipoles)
    // and mean spins in id order, and the wall contacts per wall fix. Nothing is refused
    // here but text that is no dump: the first wrong id is kept for takePoses, which
    // refuses it after the row count and the columns, and a missing column is left for
    // the lookups of takePoses and findContacts to name.
    void readAtomRows() {
        const auto find = [&](const std::string& name) {
            const auto& columns = atomBlock_.columns;
            const auto at = std::find(columns.begin(), columns.end(), name);
            return at == columns.end() ? kNoColumn : static_cast<std::size_t>(at - columns.begin());
        };
        const std::size_t id = find("id"), x = find("x"), y = find("y"), mx = find("mux"), my = find("muy"),
                          spin = find("f_spin");
        const bool poses = id != kNoColumn && x != kNoColumn && y != kNoColumn && mx != kNoColumn && my != kNoColumn &&
                           spin != kNoColumn;
        WallColumns wallColumns[3];
        bool wallFix[3];
        for (int f = 0; f < 3; ++f) {
            const auto col = [&](int k) {
                return find(std::string("f_") + kWallFixes[f] + "[" + std::to_string(k) + "]");
            };
            wallColumns[f] = {col(1), col(2), col(3), col(5), col(6)};
            const WallColumns& c = wallColumns[f];
            wallFix[f] =
                c.flag != kNoColumn && c.fx != kNoColumn && c.fy != kNoColumn && c.px != kNoColumn && c.py != kNoColumn;
            wallRows_[f].clear();
        }
        const std::size_t n = contacts_.atoms();
        atoms_xy_.resize(n);
        atomAngle_.resize(n);
        atomSpin_.resize(n);
        seenIn_.resize(n, 0);
        ++block_;
        idError_.clear();
        row_.resize(atomBlock_.columns.size());
        const std::string name = kParticleDump;
        for (std::size_t r = 0; r < atomBlock_.rows; ++r) {
            atoms_.readRow(row_.data());
            if (!poses || !idError_.empty()) continue;
            // Ids are whole numbers from 1 to n: rounding 1.4 to 1 would give a disc
            // another's position, and 1e300 has no integer to round to.
            const double value = row_[id];
            if (!(value >= 1.0 && value <= static_cast<double>(n)) || value != std::floor(value)) {
                idError_ = name + ": timestep " + std::to_string(atomBlock_.timestep) + ": particle id " +
                           numberText(value, 10) + " is not a whole number from 1 to " + std::to_string(n);
                continue;
            }
            const auto a = static_cast<std::size_t>(value) - 1;
            if (seenIn_[a] == block_) {
                idError_ = name + ": timestep " + std::to_string(atomBlock_.timestep) + ": particle id " +
                           numberText(value, 10) + " is repeated";
                continue;
            }
            seenIn_[a] = block_;
            atoms_xy_[a] = {row_[x], row_[y]};
            atomAngle_[a] = std::atan2(row_[my], row_[mx]);
            atomSpin_[a] = row_[spin];
            for (int f = 0; f < 3; ++f) {
                const WallColumns& c = wallColumns[f];
                if (wallFix[f] && row_[c.flag] != 0.0)
                    wallRows_[f].push_back({a, row_[c.fx], row_[c.fy], row_[c.px], row_[c.py]});
            }
        }
    }

    // What only the steps needed, given back at the end.
    void releaseAtoms() {
        for (auto* values : {&atomAngle_, &atomSpin_, &row_}) std::vector<double>().swap(*values);
        std::vector<Point>().swap(atoms_xy_);
        std::vector<std::uint32_t>().swap(seenIn_);
    }

    // The pair rows of a dump that is left out (read, so a row that is no dump still fails).
    void skipPairRows() {
        row_.resize(pairBlock_.columns.size());
        for (std::size_t r = 0; r < pairBlock_.rows; ++r) pairs_.readRow(row_.data());
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

    // Refuses a block of another packing or with a wrong id, and takes the particles'
    // poses with their angles from the atoms readAtomRows filled.
    void takePoses(const std::optional<long>& previous) {
        const std::string name = kParticleDump;
        const std::size_t n = contacts_.atoms();
        if (atomBlock_.rows != n)
            throw InputError(name + ": timestep " + std::to_string(atomBlock_.timestep) + " holds " +
                             std::to_string(atomBlock_.rows) + " discs, the prepared packing " + std::to_string(n) +
                             ": the dumps are not of this packing");
        atomBlock_.column("id", name);
        atomBlock_.column("x", name);
        atomBlock_.column("y", name);
        atomBlock_.column("mux", name);
        atomBlock_.column("muy", name);
        atomBlock_.column("f_spin", name);
        if (!idError_.empty()) throw InputError(idError_);
        const double elapsed = previous ? static_cast<double>(atomBlock_.timestep - *previous) * setup_.dt : 0.0;
        const double lidY = setup_.yhi - setup_.lidSpeed * static_cast<double>(atomBlock_.timestep) * setup_.dt;
        std::size_t first = 0;
        for (std::size_t i = 0; i < poses_.size(); ++i) {
            const std::int32_t rigid = rigidIndex_[i];
            const std::size_t count = rigid < 0 ? 1 : clumps_[static_cast<std::size_t>(rigid)].discs.size();
            double raw = 0.0;
            if (rigid >= 0) {
                discs_.assign(atoms_xy_.begin() + static_cast<long>(first),
                              atoms_xy_.begin() + static_cast<long>(first + count));
                const ClumpPose pose = clumpPose(clumps_[static_cast<std::size_t>(rigid)], discs_);
                poses_[i].x = pose.x;
                poses_[i].y = pose.y;
                raw = pose.theta;
            } else {
                poses_[i].x = atoms_xy_[first].x;
                poses_[i].y = atoms_xy_[first].y;
                raw = atomAngle_[first];
            }
            // The dipole (or the clump's discs) give the angle up to whole turns; the mean
            // spin over the interval says which turn. The first dump is the packing's own angle.
            const double expected = poses_[i].theta + atomSpin_[first] * elapsed;
            const double turn = kTwoPi * std::round((expected - raw) / kTwoPi);
            if (previous || std::fabs(raw + turn - expected) > 1e-6) poses_[i].theta = raw + turn;
            for (std::size_t a = first; a < first + count; ++a) {
                const Point& p = atoms_xy_[a];
                if (outsideAt_[i] < 0 && (p.x < setup_.xlo || p.x > setup_.xhi || p.y < setup_.ylo || p.y > lidY))
                    outsideAt_[i] = static_cast<std::int32_t>(atomBlock_.timestep);  // checked to fit
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
        contacts_.start(atoms_xy_, pairBlock_.rows);
        const std::size_t pi = pairBlock_.column("c_pair_atoms[1]", name);
        const std::size_t pj = pairBlock_.column("c_pair_atoms[2]", name);
        std::size_t force[6];
        for (int k = 0; k < 6; ++k) force[k] = pairBlock_.column("c_pairs[" + std::to_string(k + 1) + "]", name);
        row_.resize(pairBlock_.columns.size());
        for (std::size_t r = 0; r < pairBlock_.rows; ++r) {
            pairs_.readRow(row_.data());
            const long i = std::lround(row_[pi]);
            const long j = std::lround(row_[pj]);
            if (i < 1 || j < 1 || static_cast<std::size_t>(i) > n || static_cast<std::size_t>(j) > n || i == j)
                throw InputError(name + ": timestep " + std::to_string(pairBlock_.timestep) +
                                 ": a pair names particle " + std::to_string(std::max(i, j)));
            contacts_.addPair(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(j - 1), row_[force[0]],
                              row_[force[1]], row_[force[2]], row_[force[4]], row_[force[5]]);
        }
        const std::string atoms = kParticleDump;
        int wall = 0;
        for (const char* fix : kWallFixes) {
            const auto col = [&](int k) {
                return atomBlock_.column(std::string("f_") + fix + "[" + std::to_string(k) + "]", atoms);
            };
            for (int k : {1, 2, 3, 5, 6}) col(k);
            // By atom, as the particles are numbered (ranks' rows come in any order).
            std::vector<WallRow>& rows = wallRows_[wall];
            std::sort(rows.begin(), rows.end(), [](const WallRow& a, const WallRow& b) { return a.atom < b.atom; });
            for (const WallRow& w : rows) contacts_.addWall(wall, w.atom, w.fx, w.fy, w.px, w.py);
            ++wall;
        }
        contacts_.finish();
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
    std::vector<std::int32_t> outsideAt_;  // per particle: the first step a disc of it was outside the walls, or -1
    DumpBlock atomBlock_;
    DumpBlock pairBlock_;
    std::vector<WallSegment> walls_;
    int lid_ = -1;
    std::vector<ParticlePose> poses_;
    std::vector<double> masses_;
    std::vector<std::int32_t> rigidIndex_;  // per particle: its clump in clumps_ (rigid ones only), or -1
    std::vector<double> atomAngle_;         // per atom: its dipole's angle
    std::vector<double> atomSpin_;          // per atom: its mean spin over the interval
    std::vector<std::uint32_t> seenIn_;     // per atom: the block its id last came in
    std::uint32_t block_ = 0;               // blocks read
    std::string idError_;                   // the block's first wrong particle id
    std::vector<WallRow> wallRows_[3];      // per wall fix: the discs it touches
    std::vector<double> row_;               // one row of a dump
    std::vector<Point> discs_;              // a clump's discs
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
