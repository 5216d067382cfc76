#include "gifengine/colour/swatch_grid.h"

namespace gifengine::colour {

int32_t SwatchBorderColour(SwatchRole role) {
    switch (role) {
        case SwatchRole::Stored: return 0x0000FF;
        case SwatchRole::Current: return 0xFF0000;
        case SwatchRole::Plain: break;
    }
    return 0xFFFFFF;
}

SwatchRect SwatchRectOf(int k, int columns) {
    return SwatchRect{(k % columns) * kSwatchSize, (k / columns) * kSwatchSize, kSwatchSize};
}

int SwatchAt(int x, int y, int visible, int columns) {
    if (x < 0 || y < 0 || columns <= 0) return -1;
    const int column = x / kSwatchSize;
    const int row = y / kSwatchSize;
    if (column >= columns) return -1;
    const int k = row * columns + column;
    return k < visible && k < kSwatchCount ? k : -1;
}

std::array<SwatchRole, kSwatchCount> SwatchRoles(int storedIndex, int currentIndex) {
    std::array<SwatchRole, kSwatchCount> roles{};
    roles.fill(SwatchRole::Plain);
    if (storedIndex >= 0 && storedIndex < kSwatchCount) roles[std::size_t(storedIndex)] = SwatchRole::Stored;
    if (currentIndex >= 0 && currentIndex < kSwatchCount) roles[std::size_t(currentIndex)] = SwatchRole::Current;
    return roles;
}

}  // namespace gifengine::colour
