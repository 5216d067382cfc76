#include "assembler/colour/qt_colour_chooser.h"

#include <QColorDialog>

namespace flikkor {

std::optional<gifengine::Rgb> QtColourChooser::ChooseColour(const gifengine::Rgb& initial) {
    const QColor chosen = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), parent_);
    if (!chosen.isValid()) return std::nullopt;
    return gifengine::Rgb{uint8_t(chosen.red()), uint8_t(chosen.green()), uint8_t(chosen.blue())};
}

}  // namespace flikkor
