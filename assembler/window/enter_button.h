#pragma once
// A push button that Enter presses too (not only Space), keeping the focus.
#include <QKeyEvent>
#include <QPushButton>

namespace flikkor {

class EnterButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

}  // namespace flikkor
