// The numbered message log (Text1): each message is put on top as "[n]text", so
// the newest is always first; the box is read-only with a vertical scroll bar.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace sorvath {

inline constexpr const char* kMessageLogHeading = "---Mssages---";

class MessageLogBox : public QPlainTextEdit {
public:
    explicit MessageLogBox(QWidget* parent = nullptr);

    void showmsg(const QString& text);
    int counter() const { return counter_; }

private:
    int counter_ = 0;
};

}  // namespace sorvath
