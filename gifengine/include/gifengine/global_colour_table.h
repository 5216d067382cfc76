// The animation-wide colour table: which entries the writer puts after the
// logical screen descriptor for the frames marked as using it.
#pragma once

#include <cstdint>

#include "gifengine/frame_record.h"

namespace gifengine {

struct GlobalColourTable {
    uint16_t globalCount = 0;  // 0 until one has been chosen
    ColourTable entries{};
};

}  // namespace gifengine
