#pragma once
// A dialog shown modally through a replaceable runner, so that tests can
// drive its widgets instead of entering a modal loop.
#include <QDialog>
#include <functional>

namespace flikkor {

class ModalDialog : public QDialog {
    Q_OBJECT
public:
    using Runner = std::function<void(QDialog&)>;
    explicit ModalDialog(QWidget* parent = nullptr) : QDialog(parent) {}
    void setModalRunner(Runner runner) { runner_ = std::move(runner); }

protected:
    // exec() unless a runner was given.
    void runModal();

private:
    Runner runner_;
};

}  // namespace flikkor
