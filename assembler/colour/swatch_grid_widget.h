#pragma once
// A grid of colour swatches, 16 x 16 pixels each with a 2-pixel border whose
// colour tells the entry's role. A click reports the swatch found by its
// position in the grid.
#include <QWidget>
#include <vector>

#include "gifengine/colour/swatch_grid.h"
#include "gifengine/frame_record.h"

namespace flikkor {

class SwatchGridWidget : public QWidget {
    Q_OBJECT
public:
    SwatchGridWidget(int columns, int rows, QWidget* parent = nullptr);

    // Shows the first `visible` entries of colours with their roles; the rest are hidden.
    void setSwatches(const gifengine::ColourTable& colours, int visible,
                     const std::array<gifengine::colour::SwatchRole, gifengine::colour::kSwatchCount>& roles);
    // Shows one swatch per given colour, all with white borders.
    void setPlainSwatches(const std::vector<gifengine::Rgb>& colours);

    int visibleCount() const { return visible_; }
    QColor colourAt(int k) const;
    gifengine::colour::SwatchRole roleAt(int k) const { return roles_[std::size_t(k)]; }
    // Centre of swatch k, where a click lands on it.
    QPoint swatchCentre(int k) const;

signals:
    void swatchClicked(int k);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int columns_;
    int rows_;
    int visible_ = 0;
    gifengine::ColourTable colours_{};
    std::array<gifengine::colour::SwatchRole, gifengine::colour::kSwatchCount> roles_{};
};

}  // namespace flikkor
