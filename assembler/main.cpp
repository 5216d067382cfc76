// Flikkor: assembles GIF files into one animated GIF89a file.
#include <QApplication>
#include <QFont>

#include "assembler/platform/associations.h"
#include "assembler/platform/launcher.h"
#include "assembler/platform/settings_store.h"
#include "assembler/window/image_form.h"
#include "assembler/window/qt_dialogs.h"
#include "assembler/window/work_dir_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Reelwright"));
  QApplication::setApplicationDisplayName(QStringLiteral("Reelwright"));
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12);
  QApplication::setFont(font);

  flikkor::QtSettingsStore settings(QStringLiteral("Quillbay"), QStringLiteral("Flikkor"));
  flikkor::XdgAssociations associations;
  flikkor::ProcessLauncher launcher;
  flikkor::FormServices services;
  services.settings = &settings;
  services.associations = &associations;
  services.launcher = &launcher;
  flikkor::TImageForm form(services);
  flikkor::QtReporter reporter(&form);
  // Every dialog runs through one runner: the dialog's own modal loop.
  const flikkor::DialogRunner runDialog = flikkor::ExecDialog;
  flikkor::QtFileChooser chooser(&form, runDialog);
  flikkor::TWorkDirForm workDirForm(&form, runDialog);
  services.reporter = &reporter;
  services.fileChooser = &chooser;
  services.workFolderChooser = &workDirForm;
  services.runDialog = runDialog;
  form.setServices(services);
  form.show();
  return app.exec();
}
