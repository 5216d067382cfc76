#include "viewer/window/qt_window_interaction.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStringList>

namespace sorvath {

bool QtWindowInteraction::askYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kProgramCaption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::string QtWindowInteraction::chooseOpenFile(const FileOpenRequest& request) {
    QFileDialog dialog(parent_, QString(), folder_);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters;
    for (const FileFilter& filter : request.filters) filters << QString::fromStdString(filter.description);
    dialog.setNameFilters(filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < filters.size())
        dialog.selectNameFilter(filters[request.selectedFilter]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().first();
    // The next dialog opens where this one left off, as a persistent dialog would.
    folder_ = QFileInfo(chosen).absolutePath();
    return chosen.toStdString();
}

void QtWindowInteraction::setStartFolder(const std::string& folder) { folder_ = QString::fromStdString(folder); }

std::optional<std::string> QtWindowInteraction::askText(const std::string& prompt) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, QString::fromLatin1(kProgramCaption),
                                               QString::fromStdString(prompt), QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

bool QtWindowInteraction::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtWindowInteraction::beep() { QApplication::beep(); }

namespace {
constexpr const char* kRunFolderKey = "LastRunFolder";
QSettings sorvathSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillbay"), QStringLiteral("Sorvath"));
}
}  // namespace

std::string QtWindowInteraction::rememberedRunFolder() {
    return sorvathSettings().value(QLatin1String(kRunFolderKey)).toString().toStdString();
}

void QtWindowInteraction::rememberRunFolder(const std::string& folder) {
    folder_ = QString::fromStdString(folder);
    QSettings settings = sorvathSettings();
    settings.setValue(QLatin1String(kRunFolderKey), folder_);
}

}  // namespace sorvath
