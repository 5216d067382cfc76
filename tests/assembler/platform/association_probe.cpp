// Prints, one line per MIME type given, the command line Flikkor would use to open
// a file of that type: "<type>=<command>", or "<type>=" when there is none.
// With "--help-button" instead, it opens Flikkor's window over these associations
// and a recording launcher, presses the help button and prints each started
// command line as "started=<program> <arguments>".
// The association tests run it with a fixture's XDG folders in its environment,
// because GIO reads those folders once per process.
#include <QApplication>
#include <cstdio>

#include "assembler/platform/associations.h"
#include "form_harness.h"

namespace {

int pressHelpButton(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    flikkor::XdgAssociations desktop;
    flikkor::SystemOpenerFallback associations(desktop);
    flikkor::testing::FormHarness harness;
    harness.desktop = &associations;
    harness.open();
    harness.writeGif(QStringLiteral("flikkor.htm"));  // any file: the page only has to exist
    harness.form->MenuDocumentClick();
    for (const QStringList& started : harness.launcher.started)
        std::printf("started=%s\n", started.join(' ').toUtf8().constData());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && QByteArray(argv[1]) == "--help-button") return pressHelpButton(argc, argv);
    QCoreApplication application(argc, argv);
    flikkor::XdgAssociations desktop;
    flikkor::SystemOpenerFallback associations(desktop);
    for (int k = 1; k < argc; ++k) {
        const QString type = QString::fromLocal8Bit(argv[k]);
        const std::optional<QString> command = associations.commandFor(type);
        std::printf("%s=%s\n", argv[k], command ? command->toUtf8().constData() : "");
    }
    return 0;
}
