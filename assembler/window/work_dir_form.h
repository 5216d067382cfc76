#pragma once
// TWorkDirForm: asks for the folder in which the work folder AnimTmp is made.
#include <QDialog>

#include "assembler/window/dialogs.h"

class QLabel;

namespace flikkor {

class FileBrowser;

class TWorkDirForm : public QDialog, public WorkFolderChooser {
    Q_OBJECT
public:
    explicit TWorkDirForm(QWidget* parent = nullptr, DialogRunner run = ExecDialog);
    QString chooseWorkFolder(const QString& current, bool duringStartup) override;

    // Prepares the texts and folder as the dialog shows them (used by chooseWorkFolder).
    void prepare(const QString& current, bool duringStartup);
    // The work folder that BtnMake would choose for the folder shown in the list.
    QString proposedWorkFolder() const;
    FileBrowser* browser() const { return browser_; }

private:
    DialogRunner run_;
    QLabel* heading_;
    QLabel* LDir_;
    QLabel* failure_;
    FileBrowser* browser_;
};

}  // namespace flikkor
