// TImageForm: construction, window events, start-up and shut-down.
#include "assembler/window/image_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "assembler/platform/folders.h"
#include "assembler/text/shift_jis.h"
#include "assembler/window/file_browser.h"
#include "assembler/window/frame_grid_widths.h"
#include "assembler/window/frame_table_model.h"

namespace flikkor {

TImageForm::TImageForm(const FormServices& services, QWidget* parent)
    : QWidget(parent), services_(services), engine_(relay_, &saveDialog_) {
    setObjectName("TImageForm");
    relay_.target = services_.reporter;
    saveDialog_.chooser = services_.fileChooser;
    setWindowTitle(kTitle);
    setAcceptDrops(true);
    buildLayout();
    model_ = new FrameTableModel(engine_.frames, this);
    SGImages->setModel(model_);
    const QList<int> widths = frameGridColumnWidths(*SGImages);
    for (int c = 0; c < widths.size(); ++c) SGImages->setColumnWidth(c, widths[c]);
    browser_ = new FileBrowser(FileListBox1, DriveComboBox1, DirectoryListBox1, this);
    browser_->setFolder(QDir::currentPath());
    connectCommands();
    // Alt+F4 closes the window even where no window manager turns it into a close request.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, &QWidget::close);
    setTabOrder();
    resize(482, 314);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(241, 157));
    }
    PageControl1->setCurrentIndex(0);
    PageControl1->setFocus();
}

void TImageForm::setServices(const FormServices& services) {
    services_ = services;
    relay_.target = services_.reporter;
    saveDialog_.chooser = services_.fileChooser;
}

MessageAnswer TImageForm::RelayReporter::ShowMessage(std::string_view caption, std::string_view text,
                                                     MessageButtons buttons) {
    return target == nullptr ? MessageAnswer::Ok : target->ShowMessage(caption, text, buttons);
}

MessageAnswer TImageForm::message(const QString& caption, const QString& text, MessageButtons buttons) {
    return relay_.ShowMessage(caption.toStdString(), text.toStdString(), buttons);
}

DialogRunner TImageForm::dialogRunner() const { return services_.runDialog ? services_.runDialog : ExecDialog; }

std::optional<std::string> TImageForm::SaveDialog::ChooseSaveFile(const gifengine::SaveDialogRequest& request) {
    if (chooser == nullptr) return std::nullopt;
    // The engine's filter names its pattern after a "|"; the dialog shows the name part.
    const QString filter = QString::fromStdString(request.filter).section('|', 0, 0);
    const FileDialogRequest shown{QString::fromStdString(request.title), filter,
                                  QString::fromStdString(request.initialFolder),
                                  QString::fromStdString(request.initialFileName), request.confirmOverwrite};
    const std::optional<QString> chosen = chooser->chooseSaveFile(shown);
    if (!chosen) return std::nullopt;
    return chosen->toStdString();
}

TImageForm::~TImageForm() = default;

bool TImageForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && firstActivation_) FormActivate();
    // Without a window manager nothing activates the window: ask for it once shown,
    // and run the start-up anyway when no activation follows.
    if (event->type() == QEvent::Show && firstActivation_) {
        activateWindow();
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
    return QWidget::event(event);
}

bool TImageForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched->parent() == PanelParam || watched == PanelParam) {
            // ParamKeyDown: Alt+A applies, Esc cancels.
            if (key->key() == Qt::Key_A && key->modifiers() == Qt::AltModifier) {
                BtnUpdate->setFocus();
                BtnUpdateClick();
                return true;
            }
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                BtnCancel->setFocus();
                BtnCancelClick();
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Image2 || watched == Image4) MenuDocumentClick();
        if (watched == Image3 || watched == Image5) Image3Click();
    }
    return QWidget::eventFilter(watched, event);
}

void TImageForm::FormActivate() {
    if (!firstActivation_) return;
    settingsDeleted_ = false;
    recordedClient_ = size();
    recordedGrid_ = SGImages->size();
    recordedTopBarWidth_ = Panel2->width();
    recordedBottomBarWidth_ = Panel5->width();
    recordedBottomBarTop_ = Panel5->y();
    layoutRecorded_ = true;
    setMinimumSize(recordedClient_);
    model_->showHeaders();
    Label1Version->setText(QStringLiteral("Version " TOOLKIT_VERSION));
    Label10->setText(QStringLiteral("Version " TOOLKIT_VERSION));
    settings_ = AssemblerSettings{};
    clearPanel();
    engine_.LastMadeFile.clear();
    startFolder_ = browser_->folder();
    readSettings();
    engine_.animationComment = utf8ToShiftJis(settings_.comment.toStdString());
    if (settings_.version.isEmpty()) {
        settings_.version = kVersion;
        settings_.readDir = startFolder_;
        settings_.writeDir = startFolder_;
        settings_.workDir = defaultWorkFolder();
        ensureWorkFolder();
        writeSettings();
        engine_.saveInitialFolder = startFolder_.toStdString();
    } else {
        settings_.version = kVersion;
        if (settings_.workDir.isEmpty()) settings_.workDir = defaultWorkFolder();
        // A browsing folder that no longer exists leaves the browser at the start folder.
        browser_->setFolder(settings_.readDir);
        engine_.saveInitialFolder = settings_.writeDir.toStdString();
        if (workFolderState(settings_.workDir) != WorkFolderState::Usable) {
            ensureWorkFolder();
            writeSettings();
        }
    }
    // A folder named on the command line is browsed for this run only: it does not
    // become the remembered folder (see closeEvent).
    if (!startRequest_.folder.empty()) browser_->setFolder(QString::fromStdString(startRequest_.folder));
    firstActivation_ = false;
    QStringList files;
    for (const std::string& file : startRequest_.files) files << QString::fromStdString(file);
    addFiles(files);
}

void TImageForm::readSettings() {
    const SettingsReadResult result = services_.settings->read();
    for (const QString& name : result.wrongTypeNames)
        message(kErrorCaption, QStringLiteral("'%1' のﾃﾞｰﾀ型が不正です").arg(name), MessageButtons::Ok);
    if (result.found) settings_ = result.values;
    storedSettings_ = settings_;
}

void TImageForm::writeSettings() {
    // Another window of the program may have written since: only what this
    // window changed goes over the store's values.
    const SettingsReadResult current = services_.settings->read();
    settings_ = mergeChangedSettings(storedSettings_, settings_, current.found ? current.values : AssemblerSettings{});
    if (services_.settings->write(settings_))
        storedSettings_ = settings_;
    else
        message(kErrorCaption, QStringLiteral("レジストリ操作時にエラーが発生しました。"), MessageButtons::Ok);
}

void TImageForm::ensureWorkFolder() {
    // The start-up folder loop: it ends only when a work folder of the user's own exists.
    for (;;) {
        const WorkFolderState state = workFolderState(settings_.workDir);
        if (state == WorkFolderState::Usable) return;
        if (state == WorkFolderState::Missing && createWorkFolder(settings_.workDir)) return;
        reportRefusedWorkFolder(settings_.workDir, state);
        settings_.workDir = services_.workFolderChooser->chooseWorkFolder(settings_.workDir, firstActivation_);
    }
}

bool TImageForm::reportRefusedWorkFolder(const QString& folder, WorkFolderState state) {
    QString why;
    if (state == WorkFolderState::OwnedByOther) why = QStringLiteral("は他のユーザーのフォルダのため使用できません。");
    if (state == WorkFolderState::WritableByOthers)
        why = QStringLiteral("は他のユーザーも書き込めるため使用できません。");
    if (why.isEmpty()) return false;
    message(kErrorCaption, QStringLiteral("作業用フォルダ %1 ").arg(folder) + why, MessageButtons::Ok);
    return true;
}

void TImageForm::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    // FormCloseQuery
    if (!settingsDeleted_ && !engine_.frames.empty() &&
        message(kConfirmCaption, QStringLiteral("画像リストにデータが残っていますが終了して構いませんか？"),
                MessageButtons::OkCancel) != MessageAnswer::Ok) {
        event->ignore();
        return;
    }
    // FormClose
    closing_ = true;
    engine_.clearFrames();
    model_->ShowAllFrameRows();
    if (!settingsDeleted_ && !firstActivation_) {
        if (startRequest_.folder.empty()) settings_.readDir = browser_->folder();
        settings_.writeDir = QString::fromStdString(engine_.saveInitialFolder);
        writeSettings();
    }
    event->accept();
}

void TImageForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!layoutRecorded_) return;
    const int dW = std::max(0, width() - recordedClient_.width());
    const int dH = std::max(0, height() - recordedClient_.height());
    SGImages->resize(recordedGrid_.width() + dW, recordedGrid_.height() + dH);
    Panel2->resize(recordedTopBarWidth_ + dW, Panel2->height());
    Panel5->setGeometry(Panel5->x(), recordedBottomBarTop_ + dH, recordedBottomBarWidth_ + dW, Panel5->height());
}

void TImageForm::contextMenuEvent(QContextMenuEvent* event) { PMenuImage->popup(event->globalPos()); }

void TImageForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TImageForm::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile().left(511);
    }
    if (!paths.isEmpty()) addPaths(paths);
    event->acceptProposedAction();
}

}  // namespace flikkor
