#include "viewer/core/viewer_interfaces.h"

namespace sorvath {

std::string FileOpenRequest::filterList() const {
    std::string list;
    for (const FileFilter& filter : filters) {
        if (!list.empty()) list += '|';
        list += filter.description;
        list += '|';
        list += filter.pattern;
    }
    return list;
}

}  // namespace sorvath
