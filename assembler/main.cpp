// Flikkor: assembles GIF files into one animated GIF89a file.
#include <QApplication>
#include <iostream>

#include "assembler/platform/application_setup.h"
#include "assembler/platform/associations.h"
#include "assembler/platform/launcher.h"
#include "assembler/platform/settings_store.h"
#include "assembler/platform/start_arguments.h"
#include "assembler/window/image_form.h"
#include "assembler/window/qt_dialogs.h"
#include "assembler/window/work_dir_form.h"
#include "common/display_platform.h"
#include "common/program_arguments.h"

int main(int argc, char** argv) {
    toolkit::ProgramCommandLine commandLine(
        {"flikkor", TOOLKIT_VERSION,
         "Reelwright: assembles GIF files into one animated GIF89a file, copying each\n"
         "image's compressed data unchanged (Japanese user interface).\n"
         "\n"
         "With a folder DIR, the file page shows DIR for this run; the folder remembered\n"
         "for the next start stays as it was. With GIF files (names ending in .gif, in\n"
         "any letter case), they are added to the frame list in the order given, as the\n"
         "add button adds the files chosen in the file page, with the same messages.\n"
         "Without arguments the file page shows the folder remembered from the last run.\n"
         "\n"
         "With --make, --size, --info or --split, no window is opened: the GIF files are\n"
         "added as the add button adds them and the window's command runs on them, with\n"
         "the window's messages on standard error. --make writes the animation the make\n"
         "button writes (after --delay typed into the panel with every frame selected and\n"
         "--loop into the repeat-count box); --size prints its size in bytes instead.\n"
         "--info prints the frame grid's header and one row per image. --split writes\n"
         "the split command's numbered files and replaces none already there unless\n"
         "--force is given; it prints the names written. Exit status: 0 done, 1 failed,\n"
         "2 usage.\n"});
    const flikkor::StartArguments startArguments(commandLine);
    // Answered before the window system is touched, so they work without a display.
    if (const std::optional<int> status = commandLine.answer(argc, argv, std::cout, std::cerr)) return *status;
    if (const auto job = startArguments.job()) return gifengine::RunEngineJob(*job, "flikkor", std::cout, std::cerr);
    // In a Wayland session, X11 through XWayland: Sorvath's keystrokes reach only X11 windows.
    toolkit::chooseDisplayPlatform();
    // The arguments are the program's own: Qt is given none to interpret.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
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
    form.setStartRequest(startArguments.request());
    form.show();
    return app.exec();
}
