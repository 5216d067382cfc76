#include "viewer/window/caption_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace sorvath {

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = rect().adjusted(2, 1, -2, -1);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    QPalette::ColorRole role = QPalette::ButtonText;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, role));
    painter.drawText(area, flags, text());
}

}  // namespace sorvath
