#include "assembler/html/dialog_services.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace flikkor::html {

void QtTextClipboard::SetText(const std::string& utf8) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(utf8));
}

}  // namespace flikkor::html
