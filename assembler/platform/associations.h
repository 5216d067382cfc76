#pragma once
// File-type associations from the XDG MIME application lists: which command line
// opens a file of a given type.
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

// Reads mimeapps.list and .desktop files in the order of the XDG specifications,
// from XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME and XDG_DATA_DIRS.
class XdgAssociations : public Associations {
 public:
  std::optional<QString> commandFor(const QString& mimeType) override;
};

// The Exec line of a desktop entry as a command line: %f %F %u %U become "%1",
// "%%" becomes "%", every other field code is dropped.
QString commandFromExecLine(const QString& exec);

// MIME types tried in turn for web pages, pictures and folders.
QStringList htmlMimeTypes();
inline QString gifMimeType() { return QStringLiteral("image/gif"); }
inline QString folderMimeType() { return QStringLiteral("inode/directory"); }

}  // namespace flikkor
