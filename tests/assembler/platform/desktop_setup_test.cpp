// Flikkor as set up for the desktop: Qt's standard dialogs speak Japanese, the
// captions carry no display-name suffix, and the help page is found where it is installed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "assembler/colour/qt_colour_chooser.h"
#include "assembler/platform/application_setup.h"
#include "assembler/platform/install_layout.h"
#include "assembler/platform/qt_translations.h"
#include "assembler/window/qt_dialogs.h"

using namespace flikkor;

namespace {

// Waits inside the dialog's own event loop until a modal dialog of type T is up,
// hands it to `inspect`, then closes it. Fails the test if none appears.
template <class T>
void whenModalDialogShows(const std::function<void(T&)>& inspect) {
    auto* poll = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, inspect] {
        if (T* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            inspect(*dialog);
            dialog->reject();
        } else if (++*tries > 500) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal dialog appeared";
        }
    });
    poll->start(10);
}

QStringList buttonTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
        for (const QAbstractButton* button : box->buttons()) texts << button->text();
    return texts;
}

class DesktopSetup : public ::testing::Test {
protected:
    static void SetUpTestSuite() { translated_ = setUpApplication(*qApp); }
    static bool translated_;
};
bool DesktopSetup::translated_ = false;

}  // namespace

TEST_F(DesktopSetup, QtJapaneseTranslationsAreFoundAndLoaded) {
    ASSERT_TRUE(QFile::exists(qtTranslationsFolder() + "/qtbase_ja.qm"))
        << "qtbase_ja.qm is missing from " << qtTranslationsFolder().toStdString()
        << " (Debian package qt6-translations-l10n, see scripts/install-deps)";
    EXPECT_TRUE(translated_);
}

TEST_F(DesktopSetup, SaveDialogButtonsAndLabelsReadJapanese) {
    QTemporaryDir folder;
    QWidget owner;
    QtFileChooser chooser(&owner);
    QStringList buttons;
    QString lookIn;
    whenModalDialogShows<QFileDialog>([&](QFileDialog& dialog) {
        buttons = buttonTexts(dialog);
        lookIn = dialog.labelText(QFileDialog::LookIn);
    });
    const FileDialogRequest request{QStringLiteral("ファイル作成"), QStringLiteral("GIFﾌｧｲﾙ (*.gif)"), folder.path(),
                                    QStringLiteral("noname.gif"), true};
    EXPECT_FALSE(chooser.chooseSaveFile(request).has_value());  // closed without a choice

    ASSERT_EQ(buttons.size(), 2) << buttons.join(" | ").toStdString();
    EXPECT_TRUE(buttons[0].startsWith(QStringLiteral("保存"))) << buttons[0].toStdString();
    EXPECT_EQ(buttons[1], QStringLiteral("キャンセル"));
    EXPECT_FALSE(lookIn.contains(QStringLiteral("Look in"))) << lookIn.toStdString();
}

TEST_F(DesktopSetup, ColourDialogCaptionReadsJapanese) {
    QWidget owner;
    QtColourChooser chooser(&owner);
    QString caption;
    QStringList buttons;
    whenModalDialogShows<QColorDialog>([&](QColorDialog& dialog) {
        caption = dialog.windowTitle();
        buttons = buttonTexts(dialog);
    });
    EXPECT_FALSE(chooser.ChooseColour(gifengine::Rgb{1, 2, 3}).has_value());
    EXPECT_FALSE(caption.isEmpty());
    EXPECT_NE(caption, QStringLiteral("Select Color"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("キャンセル"))) << buttons.join(" | ").toStdString();
}

TEST_F(DesktopSetup, DisplayNameIsNotPinnedSoCaptionsStayExact) {
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Reelwright"));
    // Qt appends the display name to window captions only when it was set on its own;
    // unset, it simply follows the application name.
    QApplication::setApplicationName(QStringLiteral("Renamed"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Renamed"));
    QApplication::setApplicationName(QStringLiteral("Reelwright"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("com.quillbay.flikkor"));
}

TEST(HelpPage, FoundInStartFolderThenBesideTheProgramThenInTheInstalledHelpFolder) {
    QTemporaryDir root;
    const QString start = root.path() + "/work", bin = root.path() + "/prefix/bin";
    const QString data = root.path() + "/prefix/share/help/ja/flikkor";
    for (const QString& folder : {start, bin, data}) QDir().mkpath(folder);
    auto place = [](const QString& folder) {
        QFile page(folder + "/flikkor.htm");
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    };
    // Nothing anywhere: the start folder's path, unchecked.
    EXPECT_EQ(helpPagePath(start, bin), start + "/flikkor.htm");
    place(data);
    EXPECT_EQ(helpPagePath(start, bin), data + "/flikkor.htm");
    place(bin);
    EXPECT_EQ(helpPagePath(start, bin), bin + "/flikkor.htm");
    place(start);
    EXPECT_EQ(helpPagePath(start, bin), start + "/flikkor.htm");
}
