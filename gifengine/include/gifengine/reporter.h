// The engine's only ways to talk to the user: message boxes and the save
// dialog. The window implements them with real dialogs; tests record and
// script them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gifengine {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// A modal message box without icon: caption, text (UTF-8), buttons -> answer.
class Reporter {
public:
    virtual ~Reporter() = default;
    virtual MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageButtons buttons) = 0;
};

// What the save dialog shows when it opens.
struct SaveDialogRequest {
    std::string title;            // "ファイル作成"
    std::string filter;           // "GIFﾌｧｲﾙ (*.gif)|*.gif"
    std::string initialFileName;  // "noname.gif"
    std::string initialFolder;    // folder of the last chosen file
    bool confirmOverwrite = true;
    bool hideReadOnly = true;
};

// The save dialog: the chosen full path, or nothing when cancelled.
class SaveChooser {
public:
    virtual ~SaveChooser() = default;
    virtual std::optional<std::string> ChooseSaveFile(const SaveDialogRequest& request) = 0;
};

}  // namespace gifengine
