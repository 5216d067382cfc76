#pragma once
// The file page of the main window: GIF file list, drive selector and folder tree,
// all showing one browsed folder.
#include <QObject>
#include <QStringList>

class QComboBox;
class QKeyEvent;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace flikkor {

// Names of the GIF files (".gif" in any letter case) of a folder, in file-list
// order (fileNameLess).
QStringList gifFilesOfFolder(const QString& folder);

class FileBrowser : public QObject {
    Q_OBJECT
public:
    // files may be null for a folder chooser without a file list.
    FileBrowser(QListWidget* files, QComboBox* drives, QTreeWidget* folders, QObject* parent = nullptr);

    QString folder() const { return folder_; }
    // Shows another folder; false (and nothing changes) when it is not an existing folder.
    bool setFolder(const QString& folder);
    // Re-reads the file list, the folder tree and the drives.
    void refresh();
    // Full paths of the selected files, in list order.
    QStringList selectedPaths() const;

signals:
    void fileActivated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Up or Down on the first or last file entry; true when handled here.
    bool selectEdgeEntry(const QKeyEvent& key);
    void fillDrives();
    void fillFolderTree();
    void fillFiles();
    void onFolderItemActivated(QTreeWidgetItem* item);

    QListWidget* files_;
    QComboBox* drives_;
    QTreeWidget* folders_;
    QString folder_;
};

}  // namespace flikkor
