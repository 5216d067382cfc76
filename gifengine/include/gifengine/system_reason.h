// The system's reasons for a failed file operation, in the user's words.
#pragma once

#include <string>
#include <string_view>

namespace gifengine {

// The reason behind errno value `error` ("ディスクの空き容量が不足しています", ...);
// `systemText`, the system's own wording, for a reason without words of ours.
// Error 0 is a reason of our own: the target is not a regular file.
std::string SystemReasonText(int error, std::string_view systemText);

}  // namespace gifengine
