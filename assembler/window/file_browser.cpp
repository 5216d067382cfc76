#include "assembler/window/file_browser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QTreeWidget>
#include <algorithm>

#include "assembler/platform/drives.h"
#include "assembler/platform/folders.h"
#include "assembler/window/file_name_order.h"

namespace flikkor {

QStringList gifFilesOfFolder(const QString& folder) {
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (info.fileName().endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive)) names << info.fileName();
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return fileNameLess(a, b); });
    return names;
}

FileBrowser::FileBrowser(QListWidget* files, QComboBox* drives, QTreeWidget* folders, QObject* parent)
    : QObject(parent), files_(files), drives_(drives), folders_(folders) {
    drives_->installEventFilter(this);
    folders_->installEventFilter(this);
    if (files_ != nullptr) {
        files_->installEventFilter(this);
        connect(files_, &QListWidget::itemDoubleClicked, this, [this] { emit fileActivated(); });
    }
    connect(folders_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { onFolderItemActivated(item); });
    connect(drives_, &QComboBox::activated, this, [this](int index) {
        const QString drive = drives_->itemText(index);
        if (!setFolder(drive)) fillDrives();
    });
}

bool FileBrowser::setFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) return false;
    folder_ = QDir::cleanPath(info.absoluteFilePath());
    refresh();
    return true;
}

void FileBrowser::refresh() {
    fillDrives();
    fillFolderTree();
    fillFiles();
}

QStringList FileBrowser::selectedPaths() const {
    QStringList paths;
    if (files_ == nullptr) return paths;
    for (int row = 0; row < files_->count(); ++row) {
        if (files_->item(row)->isSelected()) paths << joinPath(folder_, files_->item(row)->text());
    }
    return paths;
}

bool FileBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F5) {
        refresh();
        return true;
    }
    if (watched == files_ && selectEdgeEntry(*key)) return true;
    return QObject::eventFilter(watched, event);
}

bool FileBrowser::selectEdgeEntry(const QKeyEvent& key) {
    // A plain Up on the first entry or Down on the last cannot move the current entry;
    // like a list box of the original platform it then selects that entry alone, so
    // Down, Up selects the first file also when it is the only one. With Shift (extend)
    // or Ctrl (move without selecting) the list keeps its own behaviour.
    if (key.key() != Qt::Key_Up && key.key() != Qt::Key_Down) return false;
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    const int row = files_->currentRow();
    if (row < 0) return false;
    const bool edge = key.key() == Qt::Key_Up ? row == 0 : row == files_->count() - 1;
    if (!edge) return false;
    // Through the view, so that the entry also becomes the anchor of a later Shift+Up.
    const QModelIndex entry = files_->model()->index(row, 0);
    files_->setCurrentIndex(entry);
    files_->selectionModel()->select(entry, QItemSelectionModel::ClearAndSelect);
    return true;
}

void FileBrowser::fillDrives() {
    const QStringList drives = mountedDrives();
    const QSignalBlocker blocker(drives_);
    drives_->clear();
    drives_->addItems(drives);
    drives_->setCurrentIndex(static_cast<int>(drives.indexOf(driveOfFolder(folder_, drives))));
}

void FileBrowser::fillFolderTree() {
    folders_->clear();
    // The chain of folders from the root down to the browsed folder, then its subfolders.
    QStringList parts = folder_.split('/', Qt::SkipEmptyParts);
    auto* item = new QTreeWidgetItem(folders_, QStringList{QStringLiteral("/")});
    item->setData(0, Qt::UserRole, QStringLiteral("/"));
    QString path;
    for (const QString& part : parts) {
        path += "/" + part;
        item->setExpanded(true);
        item = new QTreeWidgetItem(item, QStringList{part});
        item->setData(0, Qt::UserRole, path);
    }
    item->setExpanded(true);
    QTreeWidgetItem* current = item;
    const QDir dir(folder_);
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        auto* child = new QTreeWidgetItem(current, QStringList{sub});
        child->setData(0, Qt::UserRole, joinPath(folder_, sub));
    }
    folders_->setCurrentItem(current);
    folders_->scrollToItem(current);
}

void FileBrowser::fillFiles() {
    if (files_ == nullptr) return;
    files_->clear();
    files_->addItems(gifFilesOfFolder(folder_));
}

void FileBrowser::onFolderItemActivated(QTreeWidgetItem* item) {
    if (item != nullptr) setFolder(item->data(0, Qt::UserRole).toString());
}

}  // namespace flikkor
