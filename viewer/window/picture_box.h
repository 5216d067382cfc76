// Picture1: shows the retained scene picture. The picture is drawn at one image
// pixel per logical pixel; on a high-DPI screen Qt scales the whole image, so lines
// stay where the drawing put them.
#pragma once

#include <QImage>
#include <QWidget>

namespace sorvath {

class PictureBox : public QWidget {
public:
    PictureBox(const QImage& image, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& image_;
};

}  // namespace sorvath
