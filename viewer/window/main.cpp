// Sorvath: the DEM result viewer's program entry.
#include "common/display_platform.h"
#include "common/program_arguments.h"
#include "viewer/window/animation_gif_making.h"
#include "viewer/window/batch_arguments.h"
#include "viewer/window/batch_export.h"
#include "viewer/window/form1.h"
#include "viewer/window/qt_window_interaction.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <unistd.h>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const toolkit::ProgramAbout about{
        "sorvath", TOOLKIT_VERSION,
        "Shows the input or output files of a two-dimensional DEM run, steps and animates\n"
        "them, prints them and exports the run as an animated GIF made by flikkor.\n"
        "RUN is opened at the start: an output file (out*.dat, asking about its wall file)\n"
        "or else an input file; others are opened from the window's File menu.\n"
        "With --gif the animation of an output run is made without a window (no display\n"
        "needed): the frames temp-101.gif, ... and tempanim.gif, assembled by flikkor's\n"
        "command line, in animation/ beside the run, or in ~/.cache/sorvath/ when the\n"
        "run's folder cannot be written. The animation's path is printed at the end; the\n"
        "status is 0 when it is made, 1 when it is not and 2 for a command line not\n"
        "understood.\n"};
    toolkit::ProgramCommandLine commandLine(about);
    std::string run;
    CLI::Option* runOption =
        commandLine.app().add_option("RUN", run, "the output or input file of a run to open")->type_name("RUN");
    const sorvath::BatchArguments batch(commandLine, runOption);
    // Answered before the window system is touched, so they work without a display.
    if (const std::optional<int> status = commandLine.answer(argc, argv, std::cout, std::cerr)) return *status;
    if (const std::optional<sorvath::BatchExportRequest> request = batch.request())
        return sorvath::runBatchExport(*request, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
    // In a Wayland session, X11 through XWayland: the export's keystrokes work only there.
    toolkit::chooseDisplayPlatform();
    QApplication app(argc, argv);
    // Ties the window to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillbay.sorvath"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.quillbay.sorvath")));
    auto interaction = std::make_unique<sorvath::QtWindowInteraction>();
    sorvath::QtWindowInteraction* dialogs = interaction.get();
    sorvath::Form1 window(std::move(interaction));
    dialogs->setDialogParent(&window);
    sorvath::AnimationGifMaking animationGifMaking(window);
    window.show();
    // Opened once the window is up, so the wall question shows over it.
    if (!run.empty()) QTimer::singleShot(0, &window, [&window, &run] { window.openRun(run); });
    return app.exec();
}
