// The standard colour chooser, opened fully expanded and preset to a colour.
#pragma once

#include <optional>

#include "gifengine/frame_record.h"

namespace gifengine::colour {

class ColourChooser {
public:
    virtual ~ColourChooser() = default;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<gifengine::Rgb> ChooseColour(const gifengine::Rgb& initial) = 0;
};

}  // namespace gifengine::colour
