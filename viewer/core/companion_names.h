// Splitting the chosen output path and deriving the companion file names of a run.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvath {

struct OutputPathParts {
    std::string dirpart;   // up to and including the last "/" (empty without one)
    std::string filepart;  // the file name
    std::string filenoc;   // the run tag: filepart without its first four and last four characters
};

// True when the path's file name is an output file's: "out" + anything + ".dat", as
// the open dialog's "out*.dat" filter lists them ("output.dat", "out-0012.dat").
bool isOutputFileName(const std::string& path);

// Empty when the file name has fewer than eight characters.
std::optional<OutputPathParts> splitOutputPath(const std::string& path);

// "wllout.dat" for "output.dat", else "wou-" + filenoc + ".dat".
std::string wallFileName(const OutputPathParts& parts);
// "cont.dat" / "cnt-" + filenoc + ".dat"
std::string contactRecordFileName(const OutputPathParts& parts);
// "cont2.dat" / "cn2-" + filenoc + ".dat"
std::string contactHeaderFileName(const OutputPathParts& parts);

}  // namespace sorvath
