#pragma once
// The modal interactions of the assembler's windows. The windows get them injected,
// so that tests can script the answers and record the messages.
#include <QString>
#include <optional>

namespace flikkor {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual MessageAnswer show(const QString& caption, const QString& text, MessageButtons buttons) = 0;
};

struct FileDialogRequest {
  QString title;
  QString filter;       // "GIFﾌｧｲﾙ (*.gif)"
  QString folder;       // initial folder, empty for the dialog's own default
  QString fileName;     // initial name
  bool confirmOverwrite = false;
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual std::optional<QString> chooseSaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> chooseOpenFile(const FileDialogRequest& request) = 0;
};

// The work-folder dialog: given the current work folder, returns the work folder
// the user chose (unchanged on cancel). `duringStartup` selects the start-up texts.
class WorkFolderChooser {
 public:
  virtual ~WorkFolderChooser() = default;
  virtual QString chooseWorkFolder(const QString& current, bool duringStartup) = 0;
};

// Message captions: the title, a colon and the kind of message.
inline const QString kTitle = QStringLiteral("Reelwright");
inline const QString kErrorCaption = QStringLiteral("Reelwright:エラー");
inline const QString kWarningCaption = QStringLiteral("Reelwright:警告");
inline const QString kConfirmCaption = QStringLiteral("Reelwright:確認");
inline const QString kNoticeCaption = QStringLiteral("Reelwright:注意");

}  // namespace flikkor
