#include "assembler/colour/modal_dialog.h"

namespace flikkor {

void ModalDialog::runModal() {
    if (runner_)
        runner_(*this);
    else
        exec();
}

}  // namespace flikkor
