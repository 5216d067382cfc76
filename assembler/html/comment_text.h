// The animation comment between the text box and the writer: lines joined by
// CR LF, nothing added after the last line.
#pragma once

#include <string>
#include <string_view>

namespace flikkor::html {

// Text box lines (separated by "\n") -> comment text with CR LF.
std::string CommentFromEditorText(std::string_view editorText);

// Comment text with any mix of CR LF, CR and LF -> lines separated by "\n".
std::string EditorTextFromComment(std::string_view comment);

}  // namespace flikkor::html
