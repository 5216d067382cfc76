#pragma once
// Runs one modal dialog: exec() in the program; tests drive its widgets instead.
// Every dialog of the assembler goes through the one runner the program hands in.
#include <QDialog>
#include <functional>

namespace flikkor {

using DialogRunner = std::function<void(QDialog&)>;

// The program's runner: the dialog's own modal loop.
inline void ExecDialog(QDialog& dialog) { dialog.exec(); }

}  // namespace flikkor
