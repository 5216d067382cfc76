// What the two dialogs need from the outside world: the clipboard and an
// error message box. The window passes the Qt ones; tests record.
#pragma once

#include <string>
#include <string_view>

class QWidget;

namespace flikkor::html {

class TextClipboard {
public:
    virtual ~TextClipboard() = default;
    virtual void SetText(const std::string& utf8) = 0;
};

// A modal box with an error icon and an OK button.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void ShowError(std::string_view caption, std::string_view text) = 0;
};

// The system clipboard and QMessageBox.
class QtTextClipboard final : public TextClipboard {
public:
    void SetText(const std::string& utf8) override;
};

class QtErrorBox final : public ErrorBox {
public:
    explicit QtErrorBox(QWidget* parent = nullptr) : parent_(parent) {}
    void ShowError(std::string_view caption, std::string_view text) override;

private:
    QWidget* parent_;
};

}  // namespace flikkor::html
