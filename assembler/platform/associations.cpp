#include "assembler/platform/associations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace flikkor {
namespace {

QString environmentOr(const char* name, const QString& fallback) {
  const QString value = qEnvironmentVariable(name);
  return value.isEmpty() ? fallback : value;
}

QStringList environmentList(const char* name, const QString& fallback) {
  return environmentOr(name, fallback).split(':', Qt::SkipEmptyParts);
}

QString configHome() { return environmentOr("XDG_CONFIG_HOME", QDir::homePath() + "/.config"); }
QString dataHome() { return environmentOr("XDG_DATA_HOME", QDir::homePath() + "/.local/share"); }
QStringList configDirs() { return environmentList("XDG_CONFIG_DIRS", "/etc/xdg"); }
QStringList dataDirs() { return environmentList("XDG_DATA_DIRS", "/usr/local/share:/usr/share"); }

// mimeapps.list files from the most to the least important, with the
// desktop-specific variants in front of the plain ones in each folder.
QStringList mimeAppsLists() {
  QStringList desktops;
  for (const QString& d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(':', Qt::SkipEmptyParts))
    desktops << d.toLower();
  QStringList folders{configHome()};
  folders << configDirs();
  folders << dataHome() + "/applications";
  for (const QString& d : dataDirs()) folders << d + "/applications";
  QStringList files;
  for (const QString& folder : folders) {
    for (const QString& desktop : desktops) files << folder + "/" + desktop + "-mimeapps.list";
    files << folder + "/mimeapps.list";
  }
  return files;
}

// Values of one key in one group of a desktop-entry style file.
QString groupValue(const QString& fileName, const QString& group, const QString& key) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&file);
  bool inGroup = false;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith('[')) {
      inGroup = line == "[" + group + "]";
      continue;
    }
    if (!inGroup) continue;
    const qsizetype eq = line.indexOf('=');
    if (eq > 0 && line.left(eq).trimmed() == key) return line.mid(eq + 1).trimmed();
  }
  return {};
}

// Desktop-file ids listed for the MIME type, in the order the lists give them.
QStringList listedApplications(const QString& mimeType, const QString& group) {
  QStringList ids;
  for (const QString& list : mimeAppsLists()) {
    for (const QString& id : groupValue(list, group, mimeType).split(';', Qt::SkipEmptyParts))
      if (!ids.contains(id)) ids << id;
  }
  return ids;
}

// A desktop-file id "vendor-app.desktop" may also live at "vendor/app.desktop".
QString findDesktopFile(const QString& id) {
  QStringList folders{dataHome() + "/applications"};
  for (const QString& d : dataDirs()) folders << d + "/applications";
  for (const QString& folder : folders) {
    const QString direct = folder + "/" + id;
    if (QFileInfo(direct).isFile()) return direct;
    QString nested = id;
    for (qsizetype dash = nested.indexOf('-'); dash >= 0; dash = nested.indexOf('-', dash + 1)) {
      QString candidate = nested;
      candidate[dash] = '/';
      if (QFileInfo(folder + "/" + candidate).isFile()) return folder + "/" + candidate;
    }
  }
  return {};
}

}  // namespace

QString commandFromExecLine(const QString& exec) {
  QString command;
  for (qsizetype i = 0; i < exec.size(); ++i) {
    if (exec[i] != '%' || i + 1 >= exec.size()) {
      command += exec[i];
      continue;
    }
    const QChar code = exec[++i];
    if (code == '%')
      command += '%';
    else if (QStringLiteral("fFuU").contains(code))
      command += QStringLiteral("%1");
  }
  return command.trimmed();
}

std::optional<QString> XdgAssociations::commandFor(const QString& mimeType) {
  for (const QString& group : {QStringLiteral("Default Applications"), QStringLiteral("Added Associations")}) {
    for (const QString& id : listedApplications(mimeType, group)) {
      const QString file = findDesktopFile(id);
      if (file.isEmpty()) continue;
      const QString exec = groupValue(file, "Desktop Entry", "Exec");
      if (!exec.isEmpty()) return commandFromExecLine(exec);
    }
  }
  return std::nullopt;
}

QStringList htmlMimeTypes() {
  return {QStringLiteral("text/html"), QStringLiteral("application/xhtml+xml")};
}

}  // namespace flikkor
