#include "bridge/run_conversion.h"

#include "bridge/body_contacts.h"
#include "bridge/dump_reader.h"
#include "bridge/field_text.h"
#include "bridge/lammps_input.h"
#include "bridge/packing_input.h"
#include "bridge/result_files.h"
#include "bridge/run_files.h"
#include "bridge/run_markers.h"
#include "bridge/run_parameters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <vector>

namespace bridge {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

// A text output handed to its staged file in large pieces.
class Sink {
public:
    explicit Sink(toolkit::StagedFile& file) : file_(file) { text.reserve(1 << 22); }
    void flushIfLarge() {
        if (text.size() > (1 << 21)) flush();
    }
    void flush() {
        file_.write(text);
        text.clear();
        // A full disk stops the conversion here rather than after the last dump.
        if (file_.failed()) throw OutputError(*file_.finish());
    }
    std::string text;

private:
    toolkit::StagedFile& file_;
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

class Converter {
public:
    Converter(const std::string& folder)
        : folder_(folder),
          packing_(readPackingFile(inFolder(folder, kPackingCopy))),
          setup_(readSetupText(readTextFile(inFolder(folder, kSetupFile)), inFolder(folder, kSetupFile))),
          run_(checkRunFolder(folder, setup_)),
          atoms_(dumpFiles(folder, kParticleDump)) {
        if (!setup_.bodies)
            pairs_.emplace(dumpFiles(folder, kPairDump));
        else
            bodies_.emplace(packing_, setup_);
        walls_ = packing_.walls;
        lid_ = lidIndex(packing_, setup_);
        poses_.resize(packing_.particles.size());
        omega_.assign(packing_.particles.size(), 0.0);
        for (std::size_t i = 0; i < poses_.size(); ++i) poses_[i].theta = packing_.particles[i].theta;
    }

    ConversionSummary run() {
        OutputFiles files;
        Sink output(files.add(inFolder(folder_, kOutputFile)));
        Sink wall(files.add(inFolder(folder_, kWallFile)));
        Sink headers(files.add(inFolder(folder_, kContactHeaderFile)));
        Sink records(files.add(inFolder(folder_, kContactRecordFile)));

        appendOutputHead(
            output.text, packing_, setup_.dt, static_cast<double>(setup_.steps),
            {setup_.dt, setup_.gravity, setup_.friction, setup_.restitution, 0.0, 0.0, setup_.kn, setup_.kt});
        long blocks = 0;
        std::optional<long> previous;
        while (atoms_.next(atomBlock_)) {
            if (pairs_ && !pairs_->next(pairBlock_))
                throw InputError(std::string(kPairDump) + ": ends before timestep " +
                                 std::to_string(atomBlock_.timestep));
            if (pairs_ && pairBlock_.timestep != atomBlock_.timestep)
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
            appendStepBlock(output.text, atomBlock_.timestep, poses_);
            if (blocks >= 2) {
                moveLid();
                appendWallBlock(wall.text, atomBlock_.timestep, walls_);
                findContacts();
                appendContactHeader(headers.text, atomBlock_.timestep, static_cast<int>(pairContacts_.size()),
                                    static_cast<int>(wallContacts_.size()));
                appendContactRecords(records.text, pairContacts_);
                appendContactRecords(records.text, wallContacts_);
            }
            ++blocks;
            output.flushIfLarge();
            wall.flushIfLarge();
            headers.flushIfLarge();
            records.flushIfLarge();
        }
        checkDumpCount(blocks);
        if (blocks < 3)
            throw InputError(std::string(kParticleDump) + ": holds " + std::to_string(blocks) +
                             " step blocks; the viewer needs at least three");
        for (Sink* sink : {&output, &wall, &headers, &records}) sink->flush();

        // The marker stays only when a kill comes between the renames.
        const std::string markerPath = inFolder(folder_, kConvertingMarker);
        ConversionSummary summary;
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
        summary.stepBlocks = blocks;
        summary.particles = static_cast<long>(packing_.particles.size());
        summary.dumpBytes = atoms_.bytes() + (pairs_ ? pairs_->bytes() : 0);
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

    // A run that stopped before its end (killed, or LAMMPS failed) has fewer dumps than
    // its setup promised; more than that means the dumps are another setup's.
    void checkDumpCount(long blocks) const {
        const long promised = promisedDumps(setup_);
        const std::string dump = inFolder(folder_, kParticleDump);
        if (blocks < promised) {
            std::string message = dump + ": holds " + std::to_string(blocks) + " of the " + std::to_string(promised) +
                                  " dumps the run was set up for; the run did not complete";
            if (run_) message += " (demrun run, process " + std::to_string(run_->pid) + ", stopped before its end)";
            throw InputError(message);
        }
        if (blocks > promised)
            throw InputError(dump + ": holds " + std::to_string(blocks) + " dumps, more than the " +
                             std::to_string(promised) + " the run was set up for: the dumps are not of this setup");
    }

    // Reads the block's rows into the poses in id order, with the angles.
    void takePoses(const std::optional<long>& previous) {
        const std::string name = kParticleDump;
        const std::size_t n = packing_.particles.size();
        if (atomBlock_.rows != n)
            throw InputError(name + ": timestep " + std::to_string(atomBlock_.timestep) + " holds " +
                             std::to_string(atomBlock_.rows) + " particles, the prepared packing " + std::to_string(n) +
                             ": the dumps are not of this packing");
        const std::size_t id = atomBlock_.column("id", name);
        const std::size_t x = atomBlock_.column("x", name);
        const std::size_t y = atomBlock_.column("y", name);
        rowOf_.assign(n, n);
        for (std::size_t r = 0; r < n; ++r) {
            // Ids are whole numbers from 1 to n, checked as read: rounding 1.4 to 1 would
            // give a particle another's pose, and 1e300 has no integer to round to.
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
        const double elapsed = previous ? static_cast<double>(atomBlock_.timestep - *previous) * setup_.dt : 0.0;
        if (setup_.bodies) {
            const std::size_t qw = atomBlock_.column("c_orientation[1]", name);
            const std::size_t qz = atomBlock_.column("c_orientation[2]", name);
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t r = rowOf_[i];
                poses_[i].x = atomBlock_.at(r, x);
                poses_[i].y = atomBlock_.at(r, y);
                const double raw = 2.0 * std::atan2(atomBlock_.at(r, qz), atomBlock_.at(r, qw));
                poses_[i].theta = raw + kTwoPi * std::round((poses_[i].theta - raw) / kTwoPi);
            }
        } else {
            const std::size_t w = atomBlock_.column("omegaz", name);
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t r = rowOf_[i];
                poses_[i].x = atomBlock_.at(r, x);
                poses_[i].y = atomBlock_.at(r, y);
                const double omega = atomBlock_.at(r, w);
                poses_[i].theta += 0.5 * (omega_[i] + omega) * elapsed;
                omega_[i] = omega;
            }
        }
    }

    void moveLid() {
        if (lid_ < 0) return;
        const double y = setup_.yhi - setup_.lidSpeed * static_cast<double>(atomBlock_.timestep) * setup_.dt;
        walls_[static_cast<std::size_t>(lid_)].y1 = y;
        walls_[static_cast<std::size_t>(lid_)].y2 = y;
    }

    void findContacts() {
        if (bodies_) {
            bodies_->find(poses_, walls_, pairContacts_, wallContacts_);
            return;
        }
        pairContacts_.clear();
        wallContacts_.clear();
        const std::string name = kPairDump;
        const std::size_t n = poses_.size();
        const std::size_t pi = pairBlock_.column("c_pair_atoms[1]", name);
        const std::size_t pj = pairBlock_.column("c_pair_atoms[2]", name);
        const std::size_t pf = pairBlock_.column("c_pairs[1]", name);
        for (std::size_t r = 0; r < pairBlock_.rows; ++r) {
            long i = std::lround(pairBlock_.at(r, pi));
            long j = std::lround(pairBlock_.at(r, pj));
            if (i < 1 || j < 1 || static_cast<std::size_t>(i) > n || static_cast<std::size_t>(j) > n || i == j)
                throw InputError(name + ": timestep " + std::to_string(pairBlock_.timestep) +
                                 ": a pair names particle " + std::to_string(std::max(i, j)));
            if (i > j) std::swap(i, j);
            const ParticlePose& a = poses_[static_cast<std::size_t>(i - 1)];
            const ParticlePose& b = poses_[static_cast<std::size_t>(j - 1)];
            ContactOut contact;
            contact.ip = static_cast<int>(i);
            contact.jp = static_cast<int>(j);
            contact.xc = 0.5 * (a.x + b.x);
            contact.yc = 0.5 * (a.y + b.y);
            contact.ang = segmentAngle(a.x, a.y, b.x, b.y);
            contact.fn = -pairBlock_.at(r, pf);
            pairContacts_.push_back(contact);
        }
        std::sort(pairContacts_.begin(), pairContacts_.end(),
                  [](const ContactOut& l, const ContactOut& r) { return l.ip != r.ip ? l.ip < r.ip : l.jp < r.jp; });

        const std::string atoms = kParticleDump;
        std::vector<WallColumns> columns;
        for (const char* fix : {"wall_sides", "wall_bottom", "wall_lid"}) {
            const auto col = [&](int k) {
                return atomBlock_.column(std::string("f_") + fix + "[" + std::to_string(k) + "]", atoms);
            };
            columns.push_back({col(1), col(2), col(3), col(5), col(6)});
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t r = rowOf_[i];
            for (const WallColumns& c : columns) {
                if (atomBlock_.at(r, c.flag) == 0.0) continue;
                const double px = atomBlock_.at(r, c.px);
                const double py = atomBlock_.at(r, c.py);
                const ParticlePose& p = poses_[i];
                // Normal force: the wall force along the line from the wall point to the centre.
                const double dx = p.x - px;
                const double dy = p.y - py;
                const double length = std::hypot(dx, dy);
                const double normal =
                    length > 0.0 ? (atomBlock_.at(r, c.fx) * dx + atomBlock_.at(r, c.fy) * dy) / length : 0.0;
                ContactOut contact;
                contact.ip = static_cast<int>(i) + 1;
                contact.jp = 0;
                contact.xc = 0.5 * (p.x + px);
                contact.yc = 0.5 * (p.y + py);
                contact.ang = segmentAngle(p.x, p.y, px, py);
                contact.fn = -normal;
                wallContacts_.push_back(contact);
            }
        }
    }

    std::string folder_;
    Packing packing_;
    RunParameters setup_;
    std::optional<MarkerOwner> run_;  // the marker of a run that was killed
    DumpSeries atoms_;
    std::optional<DumpSeries> pairs_;
    std::optional<BodyContactFinder> bodies_;
    DumpBlock atomBlock_;
    DumpBlock pairBlock_;
    std::vector<WallSegment> walls_;
    int lid_ = -1;
    std::vector<ParticlePose> poses_;
    std::vector<double> omega_;
    std::vector<std::size_t> rowOf_;
    std::vector<ContactOut> pairContacts_;
    std::vector<ContactOut> wallContacts_;
};

}  // namespace

ConversionSummary convertRun(const std::string& folder) { return Converter(folder).run(); }

}  // namespace bridge
