#include "viewer/window/picture_box.h"

#include <QPainter>

namespace sorvath {

PictureBox::PictureBox(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QRect(QPoint(0, 0), image_.size()), image_);
}

}  // namespace sorvath
