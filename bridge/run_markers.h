// What ties the files of a run folder together, beside the files themselves:
//
// - The run stamp: demrun prepare writes a fresh one into "demrun.setup"; demrun run
//   copies it into "demrun.stamp" before LAMMPS writes its first dump. The dumps belong
//   to the prepared packing only when the two agree.
// - "demrun.running": written by demrun run when it starts (its process id and the
//   stamp), removed when it ends. A marker whose process no longer runs is a run that
//   was killed.
// - "demrun.converting": written by demrun convert when all four run files are
//   complete, just before it renames them, and removed after the last rename. Left in
//   the folder, it says that a kill may have come between the renames, so the four
//   files may not belong together.
#pragma once

#include <optional>
#include <string>

namespace demrun {

inline constexpr const char* kStampFile = "demrun.stamp";
inline constexpr const char* kRunningMarker = "demrun.running";
inline constexpr const char* kConvertingMarker = "demrun.converting";

// A stamp no other preparation gets: the time and 64 random bits.
std::string newRunStamp();

// The stamp demrun run copied into the folder; empty when there is none.
std::string copiedRunStamp(const std::string& folder);
// Writes the stamp copy (removes it when stamp is empty); throws OutputError.
void writeRunStamp(const std::string& folder, const std::string& stamp);

struct MarkerOwner {
    long pid = 0;
    bool running = false;  // the process still runs
    std::string stamp;
};
// Who wrote the marker at path; nothing when there is no marker.
std::optional<MarkerOwner> readMarker(const std::string& path);

// A marker held by this process: created only when no live process holds one (a dead
// process's marker is taken over), removed when the holder goes. Throws InputError
// with `busy` followed by " (process <pid>)" when a live process holds it, and
// OutputError when it cannot be written.
class HeldMarker {
public:
    HeldMarker(const std::string& path, const std::string& stamp, const std::string& busy);
    ~HeldMarker();
    // Leaves the marker in the folder when the holder goes (its work was cut off).
    void keep();
    HeldMarker(const HeldMarker&) = delete;
    HeldMarker& operator=(const HeldMarker&) = delete;

private:
    std::string path_;
};

}  // namespace demrun
