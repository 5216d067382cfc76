#include "assembler/colour/swatch_grid_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace flikkor {

using gifengine::colour::kSwatchBorder;
using gifengine::colour::kSwatchSize;
using gifengine::colour::SwatchRole;

namespace {
QColor FromValue(int32_t value) { return QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF); }
}  // namespace

SwatchGridWidget::SwatchGridWidget(int columns, int rows, QWidget* parent)
    : QWidget(parent), columns_(columns), rows_(rows) {
    setFixedSize(columns * kSwatchSize, rows * kSwatchSize);
    roles_.fill(SwatchRole::Plain);
}

void SwatchGridWidget::setSwatches(const gifengine::ColourTable& colours, int visible,
                                   const std::array<SwatchRole, gifengine::colour::kSwatchCount>& roles) {
    colours_ = colours;
    visible_ = std::clamp(visible, 0, columns_ * rows_);
    roles_ = roles;
    update();
}

void SwatchGridWidget::setPlainSwatches(const std::vector<gifengine::Rgb>& colours) {
    colours_ = {};
    std::copy_n(colours.begin(), std::min<std::size_t>(colours.size(), colours_.size()), colours_.begin());
    roles_.fill(SwatchRole::Plain);
    visible_ = std::clamp(int(colours.size()), 0, columns_ * rows_);
    update();
}

QColor SwatchGridWidget::colourAt(int k) const { return FromValue(gifengine::ColourValue(colours_[std::size_t(k)])); }

QPoint SwatchGridWidget::swatchCentre(int k) const {
    const auto rect = gifengine::colour::SwatchRectOf(k, columns_);
    return QPoint(rect.x + kSwatchSize / 2, rect.y + kSwatchSize / 2);
}

void SwatchGridWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int k = 0; k < visible_; ++k) {
        const auto rect = gifengine::colour::SwatchRectOf(k, columns_);
        painter.fillRect(rect.x, rect.y, kSwatchSize, kSwatchSize,
                         FromValue(gifengine::colour::SwatchBorderColour(roles_[std::size_t(k)])));
        painter.fillRect(rect.x + kSwatchBorder, rect.y + kSwatchBorder, kSwatchSize - 2 * kSwatchBorder,
                         kSwatchSize - 2 * kSwatchBorder, colourAt(k));
    }
}

void SwatchGridWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const int k = gifengine::colour::SwatchAt(p.x(), p.y(), visible_, columns_);
    if (k >= 0) emit swatchClicked(k);
}

}  // namespace flikkor
