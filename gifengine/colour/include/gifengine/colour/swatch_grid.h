// Geometry and roles of the 16 x 16 grid of colour swatches that shows a
// colour table: swatch k stands for entry k at row k / 16, column k % 16.
#pragma once

#include <array>
#include <cstdint>

namespace gifengine::colour {

inline constexpr int kSwatchColumns = 16;
inline constexpr int kSwatchRows = 16;
inline constexpr int kSwatchCount = kSwatchColumns * kSwatchRows;
inline constexpr int kSwatchSize = 16;   // pixels, square
inline constexpr int kSwatchBorder = 2;  // pixels of the role-coloured border

// What a swatch's border says about its entry.
enum class SwatchRole {
    Plain,    // white border
    Stored,   // blue: the frame's stored transparent index
    Current,  // red: the entry currently chosen
};

// Border colour of a role as 0xRRGGBB.
int32_t SwatchBorderColour(SwatchRole role);

struct SwatchRect {
    int x = 0;
    int y = 0;
    int size = kSwatchSize;
};

// Where swatch k lies in a grid of the given column count.
SwatchRect SwatchRectOf(int k, int columns = kSwatchColumns);
// Swatch under the point (x, y) of a grid with `columns` columns and
// `visible` shown swatches, or -1 when the point is outside every shown one.
int SwatchAt(int x, int y, int visible, int columns = kSwatchColumns);

// Roles of a table's swatches: stored index blue, current choice red (red
// wins when both are the same entry), the rest white. Indices outside 0..255
// or -1 mark nothing.
std::array<SwatchRole, kSwatchCount> SwatchRoles(int storedIndex, int currentIndex);

}  // namespace gifengine::colour
