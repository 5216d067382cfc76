#include "assembler/window/work_dir_form.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "assembler/platform/folders.h"
#include "assembler/window/file_browser.h"

namespace flikkor {

TWorkDirForm::TWorkDirForm(QWidget* parent, DialogRunner run) : QDialog(parent), run_(std::move(run)) {
    setObjectName("TWorkDirForm");
    setWindowTitle(QStringLiteral("作業用フォルダの作成"));
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    LDir_ = new QLabel(this);
    LDir_->setObjectName("LDir");
    failure_ = new QLabel(this);
    auto* instruction =
        new QLabel(QStringLiteral("作業用フォルダ(AnimTmp)を作成するフォルダを\n指定してください"), this);
    auto* drives = new QComboBox(this);
    drives->setObjectName("DriveComboBox1");
    auto* folders = new QTreeWidget(this);
    folders->setObjectName("DirectoryListBox1");
    folders->header()->hide();
    folders->setMinimumHeight(160);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName("BtnCan");
    auto* make = new QPushButton(QStringLiteral("作成"), this);
    make->setObjectName("BtnMake");
    make->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(make);
    for (QWidget* w :
         {static_cast<QWidget*>(heading_), static_cast<QWidget*>(LDir_), static_cast<QWidget*>(failure_),
          static_cast<QWidget*>(instruction), static_cast<QWidget*>(drives), static_cast<QWidget*>(folders)})
        layout->addWidget(w);
    layout->addLayout(buttons);
    browser_ = new FileBrowser(nullptr, drives, folders, this);
    browser_->setFolder(QDir::currentPath());
    connect(make, &QPushButton::clicked, this, &QDialog::accept);    // BtnMakeClick
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);  // BtnCanClick
}

void TWorkDirForm::prepare(const QString& current, bool duringStartup) {
    LDir_->setText(current);
    heading_->setText(duringStartup ? QStringLiteral("作業用フォルダ") : QStringLiteral("現在の作業用フォルダ："));
    failure_->setText(duringStartup ? QStringLiteral("を作成／アクセスできません") : QString());
}

QString TWorkDirForm::proposedWorkFolder() const { return joinPath(browser_->folder(), QStringLiteral("AnimTmp")); }

QString TWorkDirForm::chooseWorkFolder(const QString& current, bool duringStartup) {
    prepare(current, duringStartup);
    run_(*this);
    if (result() != QDialog::Accepted) return current;
    return proposedWorkFolder();
}

}  // namespace flikkor
