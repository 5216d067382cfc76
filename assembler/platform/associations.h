#pragma once
// File-type associations: which command line opens a file of a given type.
#include <QString>
#include <QStringList>
#include <optional>

namespace flikkor {

class Associations {
public:
    virtual ~Associations() = default;
    // The command line of the default application for a MIME type, with the file
    // argument written as "%1"; nothing when no application is registered.
    virtual std::optional<QString> commandFor(const QString& mimeType) = 0;
};

// The desktop's own answer, by the XDG MIME applications rules (see
// default_application.h): mimeapps.list files, mimeinfo.cache, defaults.list.
class XdgAssociations : public Associations {
public:
    std::optional<QString> commandFor(const QString& mimeType) override;
};

// Where the desktop names no application for web pages (any of htmlMimeTypes())
// or for folders, "xdg-open %1" opens them: the system opener may still know a
// browser or file manager through the desktop's own settings. Pictures get no
// fall-back: proposing xdg-open as the registered GIF viewer would be no help.
class SystemOpenerFallback : public Associations {
public:
    explicit SystemOpenerFallback(Associations& desktop) : desktop_(desktop) {}
    std::optional<QString> commandFor(const QString& mimeType) override;

private:
    Associations& desktop_;
};

// The Exec line of a desktop entry as a command line: %f %F %u %U become "%1",
// "%%" becomes "%", every other field code is dropped.
QString commandFromExecLine(const QString& exec);

// MIME types tried in turn for web pages, pictures and folders.
QStringList htmlMimeTypes();
inline QString gifMimeType() { return QStringLiteral("image/gif"); }
inline QString folderMimeType() { return QStringLiteral("inode/directory"); }
inline QString systemOpenerCommand() { return QStringLiteral("xdg-open %1"); }

}  // namespace flikkor
