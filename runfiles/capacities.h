// The sizes and limits of the run files, as Sorvath and demrun read them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace runfiles {

// Counts, step numbers and indices are 32-bit integers wherever they are read.
inline constexpr int32_t kLargestCount = std::numeric_limits<int32_t>::max();

// A longer field is not a number the simulator writes; refusing it bounds the reader's buffer.
inline constexpr std::size_t kMaxFieldLength = 4096;

// Sorvath's tables' first sizes (they grow with the files read); slot 0 of each is unused.
inline constexpr int kFirstParticleSlots = 10000;
inline constexpr int kFirstWallSlots = 100;
inline constexpr int kFirstContactSlots = 10000;

// The vertex count of a particle record without one (the short and the old layouts).
inline constexpr int kDefaultVertexCount = 20;
// Fewer vertices are no outline: a long record with fewer is not read as one.
inline constexpr int kFewestVertices = 3;
// The most vertices demrun turns into a clump outline.
inline constexpr int kMostClumpVertices = 1000;
// The vertex count the packing generator writes for every particle outside polygon mode;
// with equal semi-axes it marks a circle.
inline constexpr int kCircleVertexMark = 100;

}  // namespace runfiles
