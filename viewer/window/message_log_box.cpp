#include "viewer/window/message_log_box.h"

#include <QScrollBar>
#include <QTextCursor>

namespace sorvath {

MessageLogBox::MessageLogBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setPlainText(QString::fromLatin1(kMessageLogHeading) + QLatin1Char('\n'));
}

void MessageLogBox::showmsg(const QString& text) {
    // The counter keeps counting past the 16-bit range instead of overflowing.
    ++counter_;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(QLatin1Char('[') + QString::number(counter_) + QLatin1Char(']') + text + QLatin1Char('\n'));
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

}  // namespace sorvath
