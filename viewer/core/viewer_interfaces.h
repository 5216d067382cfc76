// What the readers and the session need from outside: a message log, and the modal
// questions and file choice. The window implements these; tests record and script them.
#pragma once

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

}  // namespace sorvath
