// What the readers need from the window: a message log, the modal questions and
// file choice, and the picture and control groups. The window implements these;
// tests record and script them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorvath {

// The numbered message log; read failures also sound the beep.
class MessageLog {
public:
    virtual ~MessageLog() = default;
    virtual void showmsg(const std::string& text) = 0;
    virtual void beep() = 0;
};

struct FileFilter {
    std::string description;  // e.g. "out? files (out*.dat)"
    std::string pattern;      // e.g. "out*.dat"
};

struct FileOpenRequest {
    std::vector<FileFilter> filters;
    int selectedFilter = 1;  // zero-based index of the preselected entry
    bool hideReadOnly = true;
    // The filters as one "description|pattern|description|pattern" list.
    std::string filterList() const;
};

// Modal interaction: yes/no questions without a title and the file-open dialog.
class ViewerPrompter {
public:
    virtual ~ViewerPrompter() = default;
    virtual bool askYesNo(const std::string& text) = 0;
    // Full path of the chosen file, or an empty text when cancelled.
    virtual std::string chooseOpenFile(const FileOpenRequest& request) = 0;
};

// The picture and the window controls the readers drive after loading.
class SceneDisplay {
public:
    virtual ~SceneDisplay() = default;
    virtual void setscale() = 0;  // fit the picture to the bounding box (also clears it)
    virtual void clearPicture() = 0;
    virtual void drawscene() = 0;
    virtual void showFilename(const std::string& path) = 0;  // the "Filename" label
    virtual void showStepNumber(int32_t iloop) = 0;          // the "step number" label
    virtual void clearStepNumber() = 0;
    virtual void setanimbuttons(int flag) = 0;  // 1 disables, anything else enables
    virtual void setviewbuttons(int flag) = 0;
    // The readers changed the view options themselves (relative rotation switched
    // off, contact display set back to "no"); the window updates its captions.
    virtual void viewOptionsChanged() = 0;
};

}  // namespace sorvath
