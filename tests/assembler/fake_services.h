#pragma once
// Test doubles of the window's outside world: recording reporter and launcher,
// scripted choosers and an in-memory settings store.
#include <QFile>
#include <QFileInfo>
#include <deque>
#include <functional>
#include <vector>

#include "assembler/platform/associations.h"
#include "assembler/platform/launcher.h"
#include "assembler/platform/settings_store.h"
#include "assembler/window/dialogs.h"

namespace flikkor::testing {

struct Message {
    QString caption, text;
};

class RecordingReporter : public Reporter {
public:
    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;  // next answers; OK when none is left
    MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageButtons) override {
        messages.push_back({QString::fromUtf8(caption.data(), qsizetype(caption.size())),
                            QString::fromUtf8(text.data(), qsizetype(text.size()))});
        if (answers.empty()) return MessageAnswer::Ok;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class ScriptedFileChooser : public FileChooser {
public:
    std::optional<QString> saveAnswer, openAnswer;
    std::vector<FileDialogRequest> requests;
    std::optional<QString> chooseSaveFile(const FileDialogRequest& r) override {
        requests.push_back(r);
        return saveAnswer;
    }
    std::optional<QString> chooseOpenFile(const FileDialogRequest& r) override {
        requests.push_back(r);
        return openAnswer;
    }
};

class ScriptedWorkFolderChooser : public WorkFolderChooser {
public:
    std::deque<QString> answers;
    std::vector<std::pair<QString, bool>> shown;  // (current, during start-up)
    QString chooseWorkFolder(const QString& current, bool duringStartup) override {
        shown.emplace_back(current, duringStartup);
        if (answers.empty()) return current;
        const QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

class MemorySettingsStore : public SettingsStore {
public:
    std::optional<AssemblerSettings> stored;
    int writes = 0;
    bool removed = false;
    SettingsReadResult read() override {
        SettingsReadResult r;
        if (stored) {
            r.found = true;
            r.values = *stored;
        }
        return r;
    }
    bool write(const AssemblerSettings& values) override {
        stored = values;
        ++writes;
        return true;
    }
    bool remove() override {
        stored.reset();
        removed = true;
        return true;
    }
};

class FixedAssociations : public Associations {
public:
    std::map<QString, QString> commands;
    std::optional<QString> commandFor(const QString& mime) override {
        const auto it = commands.find(mime);
        if (it == commands.end()) return std::nullopt;
        return it->second;
    }
};

class RecordingLauncher : public Launcher {
public:
    std::vector<QStringList> started;                    // program first, detached and watched alike
    bool startable = true;                               // false: no detached start succeeds (nothing is recorded then)
    std::vector<std::function<void()>> watchedFailures;  // call one: that watched program failed
    bool start(const QString& program, const QStringList& arguments) override {
        if (!startable) return false;
        started.push_back(QStringList{program} + arguments);
        return true;
    }
    void startWatched(const QString& program, const QStringList& arguments, std::function<void()> failed) override {
        started.push_back(QStringList{program} + arguments);
        watchedFailures.push_back(std::move(failed));
    }
};

}  // namespace flikkor::testing
