// A push button whose caption wraps onto several lines when it is wider than the
// button, as the window's tall buttons ("Zoom In", "relative rotation ON") expect.
#pragma once

#include <QPushButton>

namespace sorvath {

class CaptionButton : public QPushButton {
public:
    CaptionButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace sorvath
