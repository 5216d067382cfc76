// Texts the readers show in the message log and the open dialogs' filter lists.
#pragma once

namespace sorvath::messages {

inline constexpr const char* kSelectInput = "Select 'input.dat' file";
inline constexpr const char* kSelectOutput = "Select 'output.dat' file";
inline constexpr const char* kReadingError = "Reading error. Check if you chose an appropriate file.";
inline constexpr const char* kShapeReadingError = "Reading Error. Check if the selected file is appropriate.";
inline constexpr const char* kDrawingComplete = "Drawing process is complete.";
inline constexpr const char* kInitialDrawComplete = "Initial draw process is complete.";
inline constexpr const char* kWallQuestion = "An additional file 'wllout.dat' is also mounted OK?";
inline constexpr const char* kWallStepError = "error at reading wllout.dat";
inline constexpr const char* kContactHeaderError = "error at reading cont2.dat";
inline constexpr const char* kContactRecordError = "error at reading cont.dat";
inline constexpr const char* kContactStatistics = "average fn and average relative rotation are:";

}  // namespace sorvath::messages
