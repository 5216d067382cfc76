#pragma once
// The benchmark's input: 1000 GIF files of 320 x 240 with a 256-colour table and
// about 64 KB of compressed raster each, the same for the benchmark and the
// side-by-side comparison.
#include <string>
#include <vector>

namespace gifengine::testing {

inline constexpr int kFileCount = 1000;

// Writes "in0000.gif" .. "in0999.gif" into folder; the paths in order.
std::vector<std::string> WriteInputFiles(const std::string& folder);

}  // namespace gifengine::testing
