// Flikkor: assembles GIF files into one animated GIF89a file.
#include <QApplication>
#include <iostream>

#include "common/program_arguments.h"
#include "platform/application_setup.h"
#include "platform/associations.h"
#include "platform/launcher.h"
#include "platform/settings_store.h"
#include "window/image_form.h"
#include "window/engine_session.h"
#include "window/qt_dialogs.h"
#include "window/work_dir_form.h"

int main(int argc, char** argv) {
  const toolkit::ProgramAbout about{
      "flikkor", flikkor::kVersion.toStdString(),
      "Reelwright: assembles GIF files into one animated GIF89a file, copying each\n"
      "image's compressed data unchanged (Japanese user interface).\n"};
  // Answered before the window system is touched, so they work without a display.
  if (const std::optional<int> status = toolkit::answerProgramArguments(argc, argv, about, std::cout, std::cerr))
    return *status;
  QApplication app(argc, argv);
  flikkor::setUpApplication(app);

  flikkor::QtSettingsStore settings(QStringLiteral("Quillbay"), QStringLiteral("Flikkor"));
  flikkor::XdgAssociations desktopAssociations;
  flikkor::SystemOpenerFallback associations(desktopAssociations);
  flikkor::ProcessLauncher launcher;
  flikkor::FormServices services;
  services.settings = &settings;
  services.associations = &associations;
  services.launcher = &launcher;
  flikkor::TImageForm form(services, std::make_unique<flikkor::EngineSession>());
  flikkor::QtPrompter prompter(&form);
  flikkor::QtFileChooser chooser(&form);
  flikkor::TWorkDirForm workDirForm(&form);
  services.prompter = &prompter;
  services.fileChooser = &chooser;
  services.workFolderChooser = &workDirForm;
  form.setServices(services);
  form.show();
  return app.exec();
}
