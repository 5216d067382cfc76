#pragma once
// The modal interactions of the assembler's windows. The windows get them injected,
// so that tests can script the answers and record the messages. Message boxes are
// the engine's Reporter: one interface for the engine and the windows.
#include <QString>
#include <optional>

#include "assembler/dialog_runner.h"
#include "gifengine/messages.h"
#include "gifengine/reporter.h"

namespace flikkor {

using gifengine::MessageAnswer;
using gifengine::MessageButtons;
using gifengine::Reporter;

struct FileDialogRequest {
    QString title;
    QString filter;    // "GIFﾌｧｲﾙ (*.gif)"
    QString folder;    // initial folder, empty for the dialog's own default
    QString fileName;  // initial name
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
inline const QString kTitle = QString::fromUtf8(gifengine::text::kApplicationTitle);
inline const QString kErrorCaption = QString::fromUtf8(gifengine::text::kCaptionError);
inline const QString kWarningCaption = QString::fromUtf8(gifengine::text::kCaptionWarning);
inline const QString kConfirmCaption = QString::fromUtf8(gifengine::text::kCaptionConfirm);
inline const QString kNoticeCaption = QString::fromUtf8(gifengine::text::kCaptionNotice);

}  // namespace flikkor
