#pragma once
// A dialog shown modally through a replaceable runner, so that tests can
// drive its widgets instead of entering a modal loop.
#include <QDialog>

#include "assembler/dialog_runner.h"

namespace flikkor {

class ModalDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModalDialog(QWidget* parent = nullptr) : QDialog(parent) {}
    void setModalRunner(DialogRunner runner) { runner_ = std::move(runner); }

protected:
    // exec() unless a runner was given.
    void runModal();

private:
    DialogRunner runner_;
};

}  // namespace flikkor
