#include "assembler/platform/application_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include "assembler/platform/qt_translations.h"
#include "gifengine/messages.h"

namespace flikkor {

bool setUpApplication(QApplication& application) {
    QApplication::setApplicationName(QString::fromUtf8(gifengine::text::kApplicationTitle));
    // Ties the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillbay.flikkor"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.quillbay.flikkor")));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    return installJapaneseQtTranslations(application);
}

}  // namespace flikkor
