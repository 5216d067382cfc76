// The program's message boxes: the box QtReporter opens carries the caption,
// text, buttons and icon it was given, and its answer comes back.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "assembler/window/qt_dialogs.h"
#include "gifengine/messages.h"

using namespace flikkor;

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Shows one message through QtReporter, records the open box and presses `press` on it.
MessageAnswer showAndPress(std::string_view caption, std::string_view text, MessageButtons buttons,
                           QMessageBox::StandardButton press, SeenBox& seen) {
    QWidget parent;
    QtReporter reporter(&parent);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        poll.stop();
        seen = {box->windowTitle(), box->text(), box->icon(), {}};
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
        seen.buttons.sort();
        box->button(press)->click();
    });
    poll.start(5);
    return reporter.ShowMessage(caption, text, buttons);
}

}  // namespace

TEST(QtReporterIcon, OnlyTheToolkitConversionErrorShowsTheErrorIcon) {
    EXPECT_EQ(messageIcon("Reelwright"), QMessageBox::Critical);
    for (std::string_view caption :
         {gifengine::text::kCaptionError, gifengine::text::kCaptionWarning, gifengine::text::kCaptionConfirm,
          gifengine::text::kCaptionNotice, gifengine::text::kCaptionLoader, gifengine::text::kCaptionFileReader})
        EXPECT_EQ(messageIcon(caption), QMessageBox::NoIcon) << caption;
}

TEST(QtReporterBox, ConversionErrorIsAnOkBoxWithTheErrorIcon) {
    SeenBox seen;
    EXPECT_EQ(showAndPress("Reelwright", "'x' は整数ではありません.", MessageButtons::Ok, QMessageBox::Ok, seen),
              MessageAnswer::Ok);
    EXPECT_EQ(seen.caption, QStringLiteral("Reelwright"));
    EXPECT_EQ(seen.text, QStringLiteral("'x' は整数ではありません."));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons.size(), 1);
}

TEST(QtReporterBox, ConfirmationIsAYesNoBoxWithoutIconAndReturnsTheAnswer) {
    SeenBox seen;
    EXPECT_EQ(
        showAndPress(gifengine::text::kCaptionConfirm, "消しますか", MessageButtons::YesNo, QMessageBox::No, seen),
        MessageAnswer::No);
    EXPECT_EQ(seen.caption, QStringLiteral("Reelwright:確認"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));
}
