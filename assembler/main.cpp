// Flikkor: assembles GIF files into one animated GIF89a file.
#include <QApplication>
#include <iostream>

#include "assembler/platform/application_setup.h"
#include "assembler/platform/associations.h"
#include "assembler/platform/launcher.h"
#include "assembler/platform/settings_store.h"
#include "assembler/window/image_form.h"
#include "assembler/window/qt_dialogs.h"
#include "assembler/window/work_dir_form.h"
#include "common/program_arguments.h"

int main(int argc, char** argv) {
    const toolkit::ProgramAbout about{"flikkor", TOOLKIT_VERSION,
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
