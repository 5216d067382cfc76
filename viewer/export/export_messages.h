// Texts of the GIF export: the preparation question and the message-log lines.
#pragma once

#include <string>

namespace sorvath::export_messages {

// The question before the export, naming the folder the animation is made in.
inline std::string preparationQuestion(const std::string& folder) {
    return "The animation GIF is made in the folder " + folder +
           " (temp- GIF files and tempanim.gif of an earlier export there are removed first). flikkor is then "
           "started and driven by keystrokes: leave the keyboard and the mouse alone until it has ended. Click YES "
           "to begin.";
}
inline constexpr const char* kTranslating = "Now translating into Gif-files...";
inline constexpr const char* kComplete = "Translation into Gif-files is complete.";

inline constexpr const char* kRestartFailed =
    "The GIF export stopped: the run could not be read again from its start, so no GIF files were made.";
// Followed by each folder tried and why it cannot be written.
inline constexpr const char* kFolderNotWritable =
    "No folder for the animation can be written, so no GIF files were made: ";
// Followed by the file and the system's reason.
inline constexpr const char* kFrameNotWritten = "The GIF export stopped: this file could not be written: ";
// Followed by the folder of the frames.
inline constexpr const char* kNoDisplay =
    "There is no X11 display, so flikkor cannot be driven. The temp- GIF files can be assembled in flikkor by "
    "hand; they are in ";
// Followed by the program's path, kFramesAreIn and the folder.
inline constexpr const char* kAssemblerNotStarted = "flikkor could not be started: ";
// Followed by the reason, ": ", the path, kFramesAreIn and the folder.
inline constexpr const char* kPathNotTypeable =
    "flikkor was not started: its save dialog cannot be given the animation's path as typed keys, because ";
inline constexpr const char* kDriving =
    "flikkor is now driven by keystrokes: leave the keyboard and the mouse alone until it has ended.";
// Followed by what stopped the keystrokes, kFramesAreIn and the folder.
inline constexpr const char* kKeysStopped = "The keystrokes to flikkor stopped: ";
inline constexpr const char* kFramesAreIn = ". The temp- GIF files are in ";
// Followed by the path, " (", the frame count and " frames)".
inline constexpr const char* kAnimationMade = "Animation GIF is made: ";
// Followed by the reason (the first image that is not its frame, say), kFramesAreIn and the folder.
inline constexpr const char* kAnimationNotMade = "The animation GIF was not made: ";
// Followed by the file and the system's reason (the command line's -o).
inline constexpr const char* kAnimationNotWritten = "The animation GIF could not be written: ";
// The reason when the run ends before its first frame.
inline constexpr const char* kNoFrame = "the run has no step block after its first three, so there is no frame";

}  // namespace sorvath::export_messages
