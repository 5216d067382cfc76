// A text as one word a POSIX shell reads back unchanged: as it is when it holds only
// characters no shell treats specially, otherwise in single quotes, each ' written as
// '\'' (a folder named `id` must not run id when the line is pasted).
#pragma once

#include <string>
#include <string_view>

namespace demrun {

std::string shellWord(std::string_view text);

}  // namespace demrun
