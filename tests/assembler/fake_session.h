#pragma once
// Test doubles of the window's outside world: an in-memory frame list (one frame per
// loaded file, with fields the tests set), recording prompter and launcher, scripted
// choosers and an in-memory settings store.
#include <QFile>
#include <QFileInfo>
#include <deque>
#include <vector>

#include "platform/associations.h"
#include "platform/launcher.h"
#include "platform/settings_store.h"
#include "window/animation_session.h"
#include "window/dialogs.h"

namespace flikkor::testing {

struct FakeFrame {
  QString path;
  FrameFields fields;
};

class FakeSession : public AnimationSession {
 public:
  std::vector<FakeFrame> frames;
  QStringList loaded;
  QString comment;

  int frameCount() const override { return static_cast<int>(frames.size()); }
  QStringList rowCells(int i) const override {
    const FrameFields& f = frames[static_cast<size_t>(i)].fields;
    return {QString::number(i + 1), QFileInfo(frames[static_cast<size_t>(i)].path).fileName(),
            QStringLiteral("%1,%2").arg(f.left).arg(f.top), "", QString::number(f.delay)};
  }
  int loadGifFile(const QString& path, int at, std::optional<ScreenValues>& screen) override {
    if (!QFileInfo(path).isFile()) return 0;
    if (frames.empty()) screen = ScreenValues{10, 10, 0};
    FakeFrame frame{path, {}};
    frame.fields.width = frame.fields.height = 10;
    frame.fields.delay = 10;
    frame.fields.tableSize = 16;
    frames.insert(frames.begin() + at, frame);
    loaded << QFileInfo(path).fileName();
    return 1;
  }
  void deleteFrame(int i) override { frames.erase(frames.begin() + i); }
  void duplicateFrames(int a, int n) override {
    std::vector<FakeFrame> copy(frames.begin() + a, frames.begin() + a + n);
    frames.insert(frames.begin() + a + n, copy.begin(), copy.end());
  }
  void moveFrames(int a, int n, int d) override {
    std::vector<FakeFrame> block(frames.begin() + a, frames.begin() + a + n);
    frames.erase(frames.begin() + a, frames.begin() + a + n);
    frames.insert(frames.begin() + a + d, block.begin(), block.end());
  }
  FrameFields frameFields(int i) const override { return frames[static_cast<size_t>(i)].fields; }
  void setPosition(int i, int left, int top) override {
    frames[static_cast<size_t>(i)].fields.left = left;
    frames[static_cast<size_t>(i)].fields.top = top;
  }
  void setDelay(int i, int delay) override { frames[static_cast<size_t>(i)].fields.delay = delay; }
  void setDisposal(int i, int disposal) override { frames[static_cast<size_t>(i)].fields.disposal = disposal; }
  void setTransparency(int i, int flag, int index) override {
    frames[static_cast<size_t>(i)].fields.transFlag = flag;
    frames[static_cast<size_t>(i)].fields.transIndex = index;
  }
  void markEdited(int i) override { frames[static_cast<size_t>(i)].path = "Edited"; }
  int findColour(int, int) const override { return -1; }
  // Writes the names of the frames' files, one a line, so tests can see what was made.
  bool makeAnimatedGif(const QString& path, const AnimationBoxes&,
                       const std::function<std::optional<QString>()>& chooseName) override {
    if (frames.empty()) return false;
    QString target = path;
    if (chooseName) {
      const std::optional<QString> chosen = chooseName();
      if (!chosen) return false;
      target = *chosen;
    }
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly)) return false;
    for (const FakeFrame& f : frames) out.write(QFileInfo(f.path).fileName().toUtf8() + "\n");
    return true;
  }
  bool makeSingleGif(int, const QString&) override { return false; }
  void setGlobalTableFromFrame(int) override {}
  void clearGlobalTableUse() override {}
  QString predictFileSize(const QString&) const override { return frames.empty() ? "" : QString::number(frames.size()); }
  QString animationComment() const override { return comment; }
  void setAnimationComment(const QString& c) override { comment = c; }
  std::pair<int, int> lastMadeSize() const override { return {0, 0}; }
};

struct Message {
  QString caption, text;
};

class RecordingPrompter : public Prompter {
 public:
  std::vector<Message> messages;
  std::deque<MessageAnswer> answers;  // next answers; OK when none is left
  MessageAnswer show(const QString& caption, const QString& text, MessageButtons) override {
    messages.push_back({caption, text});
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
  std::vector<QStringList> started;  // program first
  bool start(const QString& program, const QStringList& arguments) override {
    started.push_back(QStringList{program} + arguments);
    return true;
  }
};

}  // namespace flikkor::testing
