#include "assembler/html/comment_text.h"

namespace flikkor::html {

std::string CommentFromEditorText(std::string_view editorText) {
    std::string out;
    out.reserve(editorText.size() + 16);
    for (char c : editorText) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

std::string EditorTextFromComment(std::string_view comment) {
    std::string out;
    out.reserve(comment.size());
    for (std::size_t i = 0; i < comment.size(); ++i) {
        const char c = comment[i];
        if (c == '\r') {
            out += '\n';
            if (i + 1 < comment.size() && comment[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace flikkor::html
