#pragma once
// The application-wide settings of Flikkor, made once before the first window:
// names, icon, Qt's Japanese dialog texts and the Japanese UI font.
class QApplication;

namespace flikkor {

// The application title "Reelwright" becomes the application name only. It is not
// set as the display name, because Qt appends a display name to every window
// caption ("Reelwright:エラー — Reelwright"), and the captions must stay exact.
// Returns whether Qt's Japanese translations were found and loaded.
bool setUpApplication(QApplication& application);

}  // namespace flikkor
