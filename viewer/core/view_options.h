// Display switches set by the window and read by the readers (contact display,
// ratio) and by the drawing (all of them).
#pragma once

namespace sorvath {

enum class ContactDisplay { No, DrawLines, GrainSelect };

struct ViewOptions {
    bool colour = false;
    bool periodic = false;
    bool relativeRotation = false;
    ContactDisplay contactDisplay = ContactDisplay::No;
    float ratio = 1.0f;  // threshold ratio to the average normal force
};

}  // namespace sorvath
