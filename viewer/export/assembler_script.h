// The keystrokes that make flikkor assemble the exported frames: select the first
// file of its file list, extend the selection over the new GIF files, add them,
// select all frames, make the animation under the given path and close the program.
// They rely on the keyboard focus order of flikkor's main window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvath {

// What a key string visibly does to flikkor's windows, so the next string waits for it.
enum class KeyEffect {
    None,          // the focused window keeps the focus
    OpensDialog,   // a new window of flikkor with the step's caption takes the focus
    ClosesDialog,  // the focused dialog closes and the window below gets the focus back
    EndsProgram,   // flikkor ends
};

struct KeyStep {
    std::string keys;  // one notation string, sent as one unit
    KeyEffect effect = KeyEffect::None;
    std::string dialogCaption;  // for OpensDialog
};

// Captions of flikkor's save dialog and of its close question.
inline constexpr const char* kAssemblerSaveDialog = "ファイル作成";
inline constexpr const char* kAssemblerCloseQuestion = "Reelwright:確認";

// frameCounter is the number of the last frame (100 when none was exported); the
// selection is extended frameCounter - 95 times, five more than the number of frames.
// animationPath is typed into the save dialog as it stands.
std::vector<KeyStep> assemblerKeySteps(int frameCounter, const std::string& animationPath);

// Why flikkor's save dialog would not take this path, typed key by key, as it stands;
// std::nullopt when it would. The dialog reads a text holding a '"' as a list of quoted
// file names; a control character would be typed as Enter or Tab; text that is not
// UTF-8 cannot be typed as the bytes it is.
std::optional<std::string> saveDialogPathProblem(const std::string& path);

// The same assembly as flikkor's command line, run in the export folder: the keys add
// the new frame files in the order of the file list (by number), keep every frame's
// values and the repeat count as the files give them and make the animation under
// animationPath, so the command makes it with no option but the files:
// "--make", animationPath, "temp-101.gif", ..., "temp-" + frameCounter + ".gif".
std::vector<std::string> assemblerCommandArguments(int frameCounter, const std::string& animationPath);

// The key strings of assemblerKeySteps alone.
std::vector<std::string> assemblerKeyScript(int frameCounter, const std::string& animationPath);

}  // namespace sorvath
