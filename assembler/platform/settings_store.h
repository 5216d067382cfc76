#pragma once
// The seven per-user settings of the assembler and the store that keeps them between runs.
#include <QString>
#include <QStringList>

namespace flikkor {

struct AssemblerSettings {
    QString version;
    QString readDir;
    QString writeDir;
    QString workDir;
    QString comment;
    QString paintSoft;
    QString viewer;
};

// Value names in the order in which they are always written.
QStringList settingNames();

// What a window writes back when several run side by side: every value it has
// changed since `base` (what it read from the store or last wrote there), and
// the store's `current` value for every other one, which another window may have
// written meanwhile.
AssemblerSettings mergeChangedSettings(const AssemblerSettings& base, const AssemblerSettings& mine,
                                       const AssemblerSettings& current);

struct SettingsReadResult {
    bool found = false;          // the store holds the assembler's key at all
    AssemblerSettings values;    // missing or refused values are empty
    QStringList wrongTypeNames;  // values present but not stored as plain text
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual SettingsReadResult read() = 0;
    // Writes all seven values; false when the store could not be written.
    virtual bool write(const AssemblerSettings& values) = 0;
    // Removes every value; false when that failed.
    virtual bool remove() = 0;
};

// QSettings in the per-user location (organisation, application).
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore(QString organisation, QString application);
    SettingsReadResult read() override;
    bool write(const AssemblerSettings& values) override;
    bool remove() override;

private:
    QString organisation_;
    QString application_;
};

}  // namespace flikkor
