#pragma once
// TImageForm: the main window of the assembler. It owns the run's state (frames,
// settings, panel snapshots) and turns widget events into engine and platform calls.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "assembler/html/img_tag.h"
#include "assembler/platform/folders.h"
#include "assembler/platform/settings_store.h"
#include "assembler/platform/start_arguments.h"
#include "assembler/window/dialogs.h"
#include "gifengine/colour/colour_animation.h"
#include "gifengine/gif_engine.h"

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTreeWidget;

namespace flikkor {

class Associations;
class FileBrowser;
class FrameTableModel;
class Launcher;
class TTransColForm;

// The outside world of the window; every pointer must stay valid for the window's life.
struct FormServices {
    Reporter* reporter = nullptr;
    FileChooser* fileChooser = nullptr;
    WorkFolderChooser* workFolderChooser = nullptr;
    SettingsStore* settings = nullptr;
    Associations* associations = nullptr;
    Launcher* launcher = nullptr;
    // Runs the window's own dialogs (comment, IMG tag, colour tools); exec() when empty.
    DialogRunner runDialog;
};

// The settings' `Version` value: only whether it is stored matters (the About texts show the toolkit's version).
inline const QString kVersion = QStringLiteral("0.68");
inline const QString kHomePage = QStringLiteral("https://quillbay.example/reelwright/");

using gifengine::PanelBlock;

class TImageForm : public QWidget {
    Q_OBJECT
public:
    explicit TImageForm(const FormServices& services, QWidget* parent = nullptr);
    ~TImageForm() override;
    // The dialogs need the window as their parent, so they may be handed in after construction.
    void setServices(const FormServices& services);
    // Replaces the runner of the window's own dialogs (tests drive the widgets).
    void setDialogRunner(DialogRunner runner) { services_.runDialog = std::move(runner); }
    // What the command line asked for, carried out at the first activation (set before it).
    void setStartRequest(StartRequest request) { startRequest_ = std::move(request); }

    // Run state, readable by tests and by the dialogs of later commands.
    const AssemblerSettings& settings() const { return settings_; }
    QString startFolder() const { return startFolder_; }
    QString lastMadeFile() const { return QString::fromStdString(engine_.LastMadeFile); }
    bool settingsDeleted() const { return settingsDeleted_; }
    bool firstActivationDone() const { return !firstActivation_; }
    const PanelBlock& panelShown() const { return panelShown_; }
    const PanelBlock& panelPending() const { return panelPending_; }
    gifengine::GifEngine& engine() { return engine_; }
    FileBrowser& browser() { return *browser_; }
    QMenu* contextMenu() const { return PMenuImage; }

    // Commands (handlers named after their controls).
    void FormActivate();
    void BtnAddClick();
    void BtnDuplicateClick();
    void BtnDeleteClick();
    void BtnClearClick();
    void BtnMoveTopClick();
    void BtnUpClick();
    void BtnDownClick();
    void BtnMoveBottomClick();
    void BtnAllSelectClick();
    void BtnMakeClick();
    void BtnGCTClick();
    void BtnLSSizeClick();
    void BtnGCClearClick();
    void SGImagesClick();
    void BtnCancelClick();
    void BtnUpdateClick();
    void MenuAboutClick();
    void BtnCloseClick();
    void MenuBrowsClick();
    void MenuExprolerClick();
    void MenuDocumentClick();
    void Image3Click();
    void MenuViewerClick();
    void MenuExecPaintClick();
    void MenuReplaceImageClick();
    void MenuSetViewerClick();
    void MenuSetPaintClick();
    void MenuChgFoldClick();
    void MenuDelRegClick();
    void REDISPLAYClick();
    void BtnTransClick();
    void BtnColorEditClick();
    void BtnCTAnimClick();
    void BtnCommentClick();
    void MenuShowImageClick();
    void MenuHTMLIMGClick();
    void MenuDisAssembleClick();
    // Adds one path: only ".gif" files (any letter case) are loaded.
    void addPath(const QString& path);
    // Adds paths in their order, as one add: images beyond the list's limit are
    // reported once.
    void addPaths(const QStringList& paths);
    // The add command on a list of paths: added as one add, then the size estimate
    // refreshed; nothing at all for an empty list.
    void addFiles(const QStringList& paths);
    // Starts the browser on a path or web address through the HTML association.
    void openInBrowser(const QString& target);
    // Opens a page or folder with the first handler registered for one of the
    // types; with none, or one that cannot start, the system opener (xdg-open),
    // and a message when that finds nothing either.
    void openWithDesktop(const QStringList& types, const QString& target);
    // Selects grid rows top..bottom (grid rows, 1 = first frame) and makes top current.
    void selectGridRows(int top, int bottom);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ToolHost;
    // The window's message boxes, also before the services are handed in (then
    // every question is answered OK without a box).
    class RelayReporter final : public Reporter {
    public:
        Reporter* target = nullptr;
        MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageButtons buttons) override;
    };
    // The save dialog of the make and the split through the injected file chooser.
    class SaveDialog final : public gifengine::SaveChooser {
    public:
        FileChooser* chooser = nullptr;
        std::optional<std::string> ChooseSaveFile(const gifengine::SaveDialogRequest& request) override;
    };
    MessageAnswer message(const QString& caption, const QString& text, MessageButtons buttons);
    DialogRunner dialogRunner() const;
    void runDialog(QDialog& dialog) { dialogRunner()(dialog); }
    // The engine with the grid's current row and selection handed over.
    const gifengine::GifEngine& engineWithGridCursor();
    // The same, with the edit boxes' texts handed over too.
    gifengine::GifEngine& engineWithSelection();
    // The engine's frames, cursor and boxes shown in the grid and the edit boxes.
    void showEngineState();
    void showGridCursor(const gifengine::GridCursor& cursor);
    // End of a list command: the result shown, the size estimate (when the
    // frames changed) and the panel refreshed.
    void afterListCommand(bool sizeChanged);
    void buildLayout();
    void buildFilePage(QWidget* page);
    void buildParamPage(QWidget* page);
    void buildFuncPage(QWidget* page);
    void buildAboutPanel();
    void buildInfoBlock();
    void buildContextMenu();
    void connectCommands();
    void setTabOrder();

    void readSettings();
    void writeSettings();
    void ensureWorkFolder();
    // Says why a folder cannot be the work folder when it belongs to another user
    // or others may write into it; false (nothing said) for any other state.
    bool reportRefusedWorkFolder(const QString& folder, WorkFolderState state);
    void registerProgram(QString& setting);
    void startRegistered(const QString& program, const QString& path);
    void predictFileSize();
    // Grid selection as grid rows (top, bottom); (-1, -1) without a selection.
    std::pair<int, int> selectedGridRows() const;
    // Reads the current grid row (insertion point).
    int currentGridRow() const;

    void clearPanel();
    void loadPanel();
    void colourPanelEdit(QWidget* edit, bool differs);
    void onPanelEdited(QWidget* source);

    FormServices services_;
    RelayReporter relay_;
    SaveDialog saveDialog_;
    gifengine::GifEngine engine_;
    FrameTableModel* model_ = nullptr;
    FileBrowser* browser_ = nullptr;

    bool firstActivation_ = true;
    StartRequest startRequest_;
    bool settingsDeleted_ = false;
    bool closing_ = false;
    QString startFolder_;
    AssemblerSettings settings_;
    // The settings as this window last read them from the store or wrote them there.
    AssemblerSettings storedSettings_;
    PanelBlock panelShown_;
    PanelBlock panelPending_;
    // Options of the colour-table animation and the IMG tag outlive their dialogs.
    gifengine::colour::ColourAnimationSettings colourAnimation_;
    flikkor::html::ImgTagOptions imgTagOptions_;
    // The transparent-colour dialog lives for the run, created on first use.
    TTransColForm* transColForm_ = nullptr;
    // Set while the window itself moves the grid selection.
    bool showingSelection_ = false;
    bool layoutRecorded_ = false;
    QSize recordedClient_;
    QSize recordedGrid_;
    int recordedTopBarWidth_ = 0;
    int recordedBottomBarWidth_ = 0;
    int recordedBottomBarTop_ = 0;

public:
    // Controls under their own names (object names are the same).
    QTabWidget* PageControl1;
    QWidget* TabFileList;
    QWidget* TabParam;
    QWidget* TabFunc;
    QListWidget* FileListBox1;
    QComboBox* DriveComboBox1;
    QTreeWidget* DirectoryListBox1;
    QWidget* PanelParam;
    QLabel* LSelectNo;
    QLineEdit* ELeft;
    QLineEdit* ETop;
    QLineEdit* EDelay;
    QComboBox* CBDisposal;
    QRadioButton* RBTransON;
    QRadioButton* RBTransOFF;
    QLabel* LTransIndex;
    QLabel* LTransColor;
    QPushButton* BtnTrans;
    QPushButton* BtnCancel;
    QPushButton* BtnUpdate;
    QPushButton* BtnFileList;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button4;
    QPushButton* Button6;
    QPushButton* BtnColorEdit;
    QPushButton* BtnCTAnim;
    QPushButton* BtnGCClear;
    QPushButton* Button5;
    QPushButton* Button3;
    QWidget* Panel2;
    QLineEdit* EdLSWidth;
    QLineEdit* EdLSHeight;
    QLineEdit* EdIteration;
    QPushButton* BtnComment;
    QWidget* Panel4;
    QPushButton* BtnAdd;
    QPushButton* BtnDuplicate;
    QPushButton* BtnDelete;
    QPushButton* BtnClear;
    QPushButton* BtnMoveTop;
    QPushButton* BtnUp;
    QPushButton* BtnDown;
    QPushButton* BtnMoveBottom;
    QPushButton* BtnAllSelect;
    QPushButton* BtnMake;
    QTableView* SGImages;
    QWidget* Panel5;
    QPushButton* BtnGCT;
    QPushButton* BtnLSSize;
    QLabel* LFileSize;
    QWidget* Panel1;
    QLabel* Image2;
    QLabel* Image3;
    QPushButton* BtnClose;
    QLabel* Label1Version;
    QWidget* InfoBlock;
    QLabel* Image4;
    QLabel* Image5;
    QLabel* Label10;
    QMenu* PMenuImage;
    QAction* MenuViewer;
    QAction* MenuBrows;
    QAction* MenuShowImage;
    QAction* MenuExproler;
    QAction* MenuHTMLIMG;
    QAction* MenuColorEdit;
    QAction* MenuCTAnim;
    QAction* MenuGCClear;
    QAction* MenuDisAssemble;
    QAction* MenuExecPaint;
    QAction* MenuReplaceImage;
    QMenu* MenuSpecial;
    QAction* MenuSetViewer;
    QAction* MenuSetPaint;
    QAction* MenuChgFold;
    QAction* MenuDelReg;
    QAction* MenuDocument;
    QAction* MenuAbout;
    QAction* REDISPLAY;
};

}  // namespace flikkor
