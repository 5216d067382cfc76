// Prints, one line per MIME type given, the command line Flikkor would use to open
// a file of that type: "<type>=<command>", or "<type>=" when there is none.
// The association tests run it with a fixture's XDG folders in its environment,
// because GIO reads those folders once per process.
#include <QCoreApplication>
#include <cstdio>

#include "assembler/platform/associations.h"

int main(int argc, char** argv) {
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
