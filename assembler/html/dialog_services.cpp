#include "assembler/html/dialog_services.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QString>

namespace flikkor::html {

namespace {
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
}  // namespace

void QtTextClipboard::SetText(const std::string& utf8) { QGuiApplication::clipboard()->setText(Q(utf8)); }

void QtErrorBox::ShowError(std::string_view caption, std::string_view text) {
    QMessageBox::critical(parent_, Q(caption), Q(text), QMessageBox::Ok);
}

}  // namespace flikkor::html
