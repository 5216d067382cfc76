#include "assembler/platform/settings_store.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <array>

namespace flikkor {
namespace {

std::array<QString*, 7> fields(AssemblerSettings& s) {
    return {&s.version, &s.readDir, &s.writeDir, &s.workDir, &s.comment, &s.paintSoft, &s.viewer};
}

std::array<const QString*, 7> fields(const AssemblerSettings& s) {
    return {&s.version, &s.readDir, &s.writeDir, &s.workDir, &s.comment, &s.paintSoft, &s.viewer};
}

}  // namespace

AssemblerSettings mergeChangedSettings(const AssemblerSettings& base, const AssemblerSettings& mine,
                                       const AssemblerSettings& current) {
    AssemblerSettings merged = current;
    const auto from = fields(base);
    const auto ours = fields(mine);
    auto target = fields(merged);
    for (std::size_t i = 0; i < target.size(); ++i)
        if (*ours[i] != *from[i]) *target[i] = *ours[i];
    return merged;
}

QStringList settingNames() { return {"Version", "ReadDir", "WriteDir", "WorkDir", "Comment", "PaintSoft", "Viewer"}; }

QtSettingsStore::QtSettingsStore(QString organisation, QString application)
    : organisation_(std::move(organisation)), application_(std::move(application)) {}

SettingsReadResult QtSettingsStore::read() {
    SettingsReadResult result;
    QSettings settings(organisation_, application_);
    if (!QFileInfo::exists(settings.fileName())) return result;
    result.found = true;
    const QStringList names = settingNames();
    auto targets = fields(result.values);
    for (int i = 0; i < names.size(); ++i) {
        const QVariant value = settings.value(names[i]);
        if (!value.isValid()) continue;
        if (value.typeId() != QMetaType::QString) {
            result.wrongTypeNames << names[i];
            continue;
        }
        *targets[static_cast<size_t>(i)] = value.toString();
    }
    return result;
}

bool QtSettingsStore::write(const AssemblerSettings& values) {
    QSettings settings(organisation_, application_);
    const QStringList names = settingNames();
    auto sources = fields(values);
    for (int i = 0; i < names.size(); ++i) settings.setValue(names[i], *sources[static_cast<size_t>(i)]);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool QtSettingsStore::remove() {
    QString fileName;
    {
        QSettings settings(organisation_, application_);
        fileName = settings.fileName();
        settings.clear();
        settings.sync();
        if (settings.status() != QSettings::NoError) return false;
    }
    // Remove the key itself, so that the next start finds no settings at all.
    return !QFileInfo::exists(fileName) || QFile::remove(fileName);
}

}  // namespace flikkor
