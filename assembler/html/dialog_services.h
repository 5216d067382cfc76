// The clipboard the IMG tag dialog copies its tag to. The window passes the
// system one; tests record. Message boxes go through the engine's Reporter.
#pragma once

#include <string>

namespace flikkor::html {

class TextClipboard {
public:
    virtual ~TextClipboard() = default;
    virtual void SetText(const std::string& utf8) = 0;
};

// The system clipboard.
class QtTextClipboard final : public TextClipboard {
public:
    void SetText(const std::string& utf8) override;
};

}  // namespace flikkor::html
