// Texts of the GIF export: the check-point question and the message-log lines.
#pragma once

namespace sorvath::export_messages {

inline constexpr const char* kCheckPoints =
    "Check points: (1)Delete all the GIF files in the current (program) directory.  (2)Change the opening "
    "directory into the current one in 'flikkor'. After that, click YES.";
inline constexpr const char* kTranslating = "Now translating into Gif-files...";
inline constexpr const char* kComplete = "Translation into Gif-files is complete.";

inline constexpr const char* kRestartFailed =
    "The GIF export stopped: the run could not be read again from its start, so no GIF files were made.";
inline constexpr const char* kFolderNotWritable = "The program folder cannot be written, so no GIF files were made: ";
// Followed by the file and the system's reason.
inline constexpr const char* kFrameNotWritten = "The GIF export stopped: this file could not be written: ";
inline constexpr const char* kNoDisplay =
    "There is no X11 display, so flikkor cannot be driven. The temp- GIF files in the program folder can be "
    "assembled in flikkor by hand.";
inline constexpr const char* kAssemblerNotStarted =
    "flikkor could not be started from the program folder. The temp- GIF files can be assembled in flikkor by "
    "hand: ";
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

}  // namespace sorvath::export_messages
