// Names of the numbered single-image files the split writes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gifengine {

// The chosen path without its extension: from the last "." of the file-name
// part on (a dot in a folder name does not count).
std::string SplitBaseName(std::string_view chosenPath);

// base + "00" n for 1..9, + "0" n for 10..99, + n from 100 on, + ".gif".
std::string SplitFileName(std::string_view base, int frameNumber);

// The question before numbered files that exist already are replaced (one for
// all of them): the first one's path, how many there are, may they be replaced.
std::string SplitReplaceQuestion(const std::vector<std::string>& existing);

}  // namespace gifengine
