#pragma once
// The platform's colour chooser: Qt's QColorDialog, always fully expanded.
#include <QWidget>

#include "gifengine/colour/colour_chooser.h"

namespace flikkor {

class QtColourChooser final : public gifengine::colour::ColourChooser {
public:
    explicit QtColourChooser(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<gifengine::Rgb> ChooseColour(const gifengine::Rgb& initial) override;

private:
    QWidget* parent_;
};

}  // namespace flikkor
