#pragma once
// Qt's own Japanese texts for the standard dialogs (file, colour and message
// boxes: "保存", "キャンセル", ...), so that they match the program's Japanese texts.
#include <QString>

class QCoreApplication;

namespace flikkor {

// The folder holding Qt's translation files ("qtbase_ja.qm", Debian package
// qt6-translations-l10n).
QString qtTranslationsFolder();

// Loads qtbase_ja from qtTranslationsFolder() into `application`; the translator
// lives as long as the application. False when the file is missing: the
// dialogs then keep Qt's English texts.
bool installJapaneseQtTranslations(QCoreApplication& application);

}  // namespace flikkor
