// Widgets of TImageForm: every control under its own object name, placed at fixed
// positions inside the 482 x 314 client area; the resize rule moves only the grid
// and the two bars.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include "assembler/window/enter_button.h"
#include "assembler/window/image_form.h"

namespace flikkor {
namespace {

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* b = named(new EnterButton(caption, parent), name);
    b->setGeometry(geometry);
    return b;
}

QLabel* label(QWidget* parent, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, QRect geometry) {
    auto* e = named(new QLineEdit(parent), name);
    e->setGeometry(geometry);
    return e;
}

// Clickable picture that opens a page; the hint explains where it leads.
QLabel* icon(QWidget* parent, const char* name, QStyle::StandardPixmap pixmap, const QString& hint, QRect geometry) {
    auto* l = named(new QLabel(parent), name);
    l->setPixmap(parent->style()->standardIcon(pixmap).pixmap(geometry.size()));
    l->setToolTip(hint);
    l->setCursor(Qt::PointingHandCursor);
    l->setGeometry(geometry);
    return l;
}

}  // namespace

void TImageForm::buildLayout() {
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    PageControl1->setGeometry(0, 0, 153, 313);
    PageControl1->setUsesScrollButtons(false);
    PageControl1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 6px; }"));
    TabFileList = named(new QWidget, "TabFileList");
    TabParam = named(new QWidget, "TabParam");
    TabFunc = named(new QWidget, "TabFunc");
    PageControl1->addTab(TabFileList, QStringLiteral("ﾌｧｲﾙ"));
    PageControl1->addTab(TabParam, QStringLiteral("ﾊﾟﾗﾒｰﾀ"));
    PageControl1->addTab(TabFunc, QStringLiteral("その他"));
    buildFilePage(TabFileList);
    buildParamPage(TabParam);
    buildFuncPage(TabFunc);

    Panel2 = named(new QWidget(this), "Panel2");
    Panel2->setGeometry(153, 0, 329, 26);
    label(Panel2, QStringLiteral("ﾛｼﾞｶﾙｽｸﾘｰﾝ"), QRect(4, 5, 62, 16));
    EdLSWidth = edit(Panel2, "EdLSWidth", QRect(66, 3, 36, 20));
    label(Panel2, QStringLiteral("X"), QRect(104, 5, 10, 16));
    EdLSHeight = edit(Panel2, "EdLSHeight", QRect(114, 3, 36, 20));
    label(Panel2, QStringLiteral("繰返し"), QRect(158, 5, 38, 16));
    EdIteration = edit(Panel2, "EdIteration", QRect(196, 3, 32, 20));
    BtnComment = button(Panel2, "BtnComment", QStringLiteral("コメント"), QRect(236, 2, 64, 22));

    Panel4 = named(new QWidget(this), "Panel4");
    Panel4->setGeometry(153, 26, 50, 262);
    int y = 2;
    auto column = [&](const char* name, const QString& caption) {
        QPushButton* b = button(Panel4, name, caption, QRect(3, y, 44, 20));
        y += 21;
        return b;
    };
    BtnAdd = column("BtnAdd", QStringLiteral("追加"));
    BtnDuplicate = column("BtnDuplicate", QStringLiteral("複製"));
    BtnDelete = column("BtnDelete", QStringLiteral("削除"));
    BtnClear = column("BtnClear", QStringLiteral("ｸﾘｱ"));
    label(Panel4, QStringLiteral("移動"), QRect(3, y + 2, 44, 14))->setAlignment(Qt::AlignCenter);
    y += 17;
    BtnMoveTop = column("BtnMoveTop", QStringLiteral("最初"));
    BtnUp = column("BtnUp", QStringLiteral("△"));
    BtnDown = column("BtnDown", QStringLiteral("▽"));
    BtnMoveBottom = column("BtnMoveBottom", QStringLiteral("最後"));
    label(Panel4, QStringLiteral("選択"), QRect(3, y + 2, 44, 14))->setAlignment(Qt::AlignCenter);
    y += 17;
    BtnAllSelect = column("BtnAllSelect", QStringLiteral("全部"));
    BtnMake = button(Panel4, "BtnMake", QStringLiteral("作成"), QRect(3, 236, 44, 22));
    QFont bold = BtnMake->font();
    bold.setBold(true);
    BtnMake->setFont(bold);

    SGImages = named(new QTableView(this), "SGImages");
    SGImages->setGeometry(203, 26, 279, 262);
    SGImages->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGImages->setSelectionMode(QAbstractItemView::ContiguousSelection);
    SGImages->setTabKeyNavigation(false);
    SGImages->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGImages->setWordWrap(false);
    SGImages->verticalHeader()->hide();
    SGImages->verticalHeader()->setMinimumSectionSize(15);
    SGImages->verticalHeader()->setDefaultSectionSize(15);
    SGImages->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SGImages->horizontalHeader()->setMinimumSectionSize(10);
    SGImages->horizontalHeader()->setHighlightSections(false);
    SGImages->horizontalHeader()->setFixedHeight(17);

    Panel5 = named(new QWidget(this), "Panel5");
    Panel5->setGeometry(153, 288, 329, 26);
    label(Panel5, QStringLiteral("指定"), QRect(4, 5, 26, 16));
    BtnGCT = button(Panel5, "BtnGCT", QStringLiteral("GCﾃｰﾌﾞﾙ"), QRect(30, 2, 60, 22));
    BtnLSSize = button(Panel5, "BtnLSSize", QStringLiteral("LSｻｲｽﾞ"), QRect(92, 2, 60, 22));
    label(Panel5, QStringLiteral("ﾌｧｲﾙｻｲｽﾞ"), QRect(170, 5, 56, 16));
    LFileSize = named(new QLabel(Panel5), "LFileSize");
    LFileSize->setGeometry(228, 5, 96, 16);

    buildAboutPanel();
    buildInfoBlock();
    buildContextMenu();
}

void TImageForm::buildFilePage(QWidget* page) {
    FileListBox1 = named(new QListWidget(page), "FileListBox1");
    FileListBox1->setGeometry(2, 2, 143, 150);
    FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DriveComboBox1 = named(new QComboBox(page), "DriveComboBox1");
    DriveComboBox1->setGeometry(2, 156, 143, 22);
    DirectoryListBox1 = named(new QTreeWidget(page), "DirectoryListBox1");
    DirectoryListBox1->setGeometry(2, 182, 143, 102);
    DirectoryListBox1->header()->hide();
    DirectoryListBox1->setIndentation(8);
}

void TImageForm::buildParamPage(QWidget* page) {
    PanelParam = named(new QWidget(page), "PanelParam");
    PanelParam->setGeometry(0, 0, 147, 284);
    label(PanelParam, QStringLiteral("No."), QRect(4, 8, 40, 16));
    LSelectNo = named(new QLabel(PanelParam), "LSelectNo");
    LSelectNo->setGeometry(48, 8, 90, 16);
    label(PanelParam, QStringLiteral("位置"), QRect(4, 34, 40, 16));
    ELeft = edit(PanelParam, "ELeft", QRect(48, 32, 40, 20));
    label(PanelParam, QStringLiteral("，"), QRect(90, 34, 8, 16));
    ETop = edit(PanelParam, "ETop", QRect(100, 32, 40, 20));
    label(PanelParam, QStringLiteral("ﾃﾞｨﾚｲ"), QRect(4, 60, 40, 16));
    EDelay = edit(PanelParam, "EDelay", QRect(48, 58, 50, 20));
    label(PanelParam, QStringLiteral("消去法"), QRect(4, 86, 40, 16));
    CBDisposal = named(new QComboBox(PanelParam), "CBDisposal");
    CBDisposal->setGeometry(48, 84, 92, 22);
    CBDisposal->addItems({QStringLiteral("0-未定義"), QStringLiteral("1-未消去"), QStringLiteral("2-背景色"),
                          QStringLiteral("3-描画前")});
    CBDisposal->setCurrentIndex(-1);
    label(PanelParam, QStringLiteral("透過"), QRect(4, 114, 40, 16));
    RBTransON = named(new QRadioButton(QStringLiteral("ｵﾝ"), PanelParam), "RBTransON");
    RBTransON->setGeometry(48, 112, 44, 20);
    RBTransOFF = named(new QRadioButton(QStringLiteral("ｵﾌ"), PanelParam), "RBTransOFF");
    RBTransOFF->setGeometry(94, 112, 44, 20);
    label(PanelParam, QStringLiteral("透過色"), QRect(4, 140, 40, 16));
    label(PanelParam, QStringLiteral("ｲﾝﾃﾞｯｸｽ"), QRect(14, 160, 50, 16));
    LTransIndex = named(new QLabel(PanelParam), "LTransIndex");
    LTransIndex->setGeometry(70, 160, 70, 16);
    label(PanelParam, QStringLiteral("ｶﾗｰ"), QRect(14, 180, 50, 16));
    LTransColor = named(new QLabel(PanelParam), "LTransColor");
    LTransColor->setGeometry(70, 180, 70, 16);
    BtnTrans = button(PanelParam, "BtnTrans", QStringLiteral("透過色指定"), QRect(48, 202, 92, 22));
    BtnCancel = button(PanelParam, "BtnCancel", QStringLiteral("取消"), QRect(8, 250, 62, 24));
    BtnUpdate = button(PanelParam, "BtnUpdate", QStringLiteral("更新"), QRect(78, 250, 62, 24));
    // Lies outside the panel's visible area and does nothing.
    BtnFileList = button(page, "BtnFileList", QStringLiteral("ﾌｧｲﾙﾘｽﾄ表示"), QRect(0, 400, 100, 22));
    BtnFileList->setFocusPolicy(Qt::NoFocus);
}

void TImageForm::buildFuncPage(QWidget* page) {
    int y = 6;
    auto add = [&](const char* name, const QString& caption, int gapAfter = 0) {
        QPushButton* b = button(page, name, caption, QRect(4, y, 139, 22));
        y += 24 + gapAfter;
        return b;
    };
    Button1 = add("Button1", QStringLiteral("作成画像確認（ブラウザ）"));
    Button2 = add("Button2", QStringLiteral("全画像確認（ブラウザ）"));
    Button4 = add("Button4", QStringLiteral("エクスプローラ起動"));
    Button6 = add("Button6", QStringLiteral("HTML IMGタグ作成"), 12);
    BtnColorEdit = add("BtnColorEdit", QStringLiteral("カラーテーブル編集"));
    BtnCTAnim = add("BtnCTAnim", QStringLiteral("カラーテーブルアニメ"));
    BtnGCClear = add("BtnGCClear", QStringLiteral("GCテーブルクリア"), 12);
    Button5 = add("Button5", QStringLiteral("説明書表示(ブラウザ)"));
    Button3 = add("Button3", QStringLiteral("バージョン情報"));
}

void TImageForm::buildAboutPanel() {
    Panel1 = named(new QWidget(this), "Panel1");
    Panel1->setGeometry(203, 26, 279, 262);
    Panel1->setAutoFillBackground(true);
    Image2 = icon(Panel1, "Image2", QStyle::SP_MessageBoxQuestion, QStringLiteral("説明書表示"), QRect(12, 12, 32, 32));
    auto* title = label(Panel1, kTitle, QRect(56, 14, 200, 24));
    QFont big = title->font();
    big.setPixelSize(20);
    big.setBold(true);
    title->setFont(big);
    Label1Version = label(Panel1, QString(), QRect(56, 44, 200, 16));
    Label1Version->setObjectName("Label1");
    label(Panel1, QStringLiteral("Freeware (MIT License)"), QRect(56, 64, 200, 16));
    label(Panel1, QStringLiteral("GIFアニメーション作成ツール"), QRect(56, 88, 210, 16));
    label(Panel1, QStringLiteral("Quillbay 粒状体解析ツールキット"), QRect(56, 106, 210, 16));
    label(Panel1, QStringLiteral("連絡先: ホームページをご覧ください"), QRect(56, 124, 210, 16));
    Image3 =
        icon(Panel1, "Image3", QStyle::SP_DriveNetIcon, QStringLiteral("ホームページへどうぞ"), QRect(12, 150, 32, 32));
    BtnClose = button(Panel1, "BtnClose", QStringLiteral("Close"), QRect(190, 226, 75, 24));
    Panel1->hide();
}

void TImageForm::buildInfoBlock() {
    InfoBlock = named(new QWidget(this), "InfoBlock");
    InfoBlock->setGeometry(0, 318, 153, 170);
    Image4 =
        icon(InfoBlock, "Image4", QStyle::SP_MessageBoxQuestion, QStringLiteral("説明書表示"), QRect(6, 6, 32, 32));
    auto* title = label(InfoBlock, kTitle, QRect(44, 10, 105, 20));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    Label10 = named(label(InfoBlock, QString(), QRect(44, 32, 105, 16)), "Label10");
    label(InfoBlock, QStringLiteral("MIT License"), QRect(44, 50, 105, 16));
    label(InfoBlock, QStringLiteral("GIFアニメーション作成"), QRect(6, 74, 145, 16));
    label(InfoBlock, QStringLiteral("Quillbay ツールキット"), QRect(6, 92, 145, 16));
    Image5 = icon(InfoBlock, "Image5", QStyle::SP_DriveNetIcon, QStringLiteral("ホームページへどうぞ"),
                  QRect(6, 116, 32, 32));
}

void TImageForm::buildContextMenu() {
    PMenuImage = named(new QMenu(this), "PMenuImage");
    auto item = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    MenuViewer = item(PMenuImage, "MenuViewer", QStringLiteral("プレビュー（ビュワー起動）"));
    MenuBrows = item(PMenuImage, "MenuBrows", QStringLiteral("作成画像確認（ブラウザ）"));
    MenuShowImage = item(PMenuImage, "MenuShowImage", QStringLiteral("全画像確認（ブラウザ）"));
    MenuExproler = item(PMenuImage, "MenuExproler", QStringLiteral("エクスプローラ起動"));
    MenuHTMLIMG = item(PMenuImage, "MenuHTMLIMG", QStringLiteral("HTML IMGタグ作成"));
    PMenuImage->addSeparator();
    MenuColorEdit = item(PMenuImage, "MenuColorEdit", QStringLiteral("カラーテーブル編集"));
    MenuCTAnim = item(PMenuImage, "MenuCTAnim", QStringLiteral("カラーテーブルアニメ"));
    MenuGCClear = item(PMenuImage, "MenuGCClear", QStringLiteral("GCテーブルクリア"));
    PMenuImage->addSeparator();
    MenuDisAssemble = item(PMenuImage, "MenuDisAssemble", QStringLiteral("画像分解"));
    PMenuImage->addSeparator();
    MenuExecPaint = item(PMenuImage, "MenuExecPaint", QStringLiteral("画像修正開始（ソフト起動）"));
    MenuReplaceImage = item(PMenuImage, "MenuReplaceImage", QStringLiteral("修正画像置換"));
    PMenuImage->addSeparator();
    MenuSpecial = PMenuImage->addMenu(QStringLiteral("登録情報操作"));
    MenuSpecial->setObjectName("MenuSpecial");
    MenuSetViewer = item(MenuSpecial, "MenuSetViewer", QStringLiteral("ビュワー登録"));
    MenuSetPaint = item(MenuSpecial, "MenuSetPaint", QStringLiteral("画像修正ソフト登録"));
    MenuChgFold = item(MenuSpecial, "MenuChgFold", QStringLiteral("作業用フォルダ変更"));
    MenuDelReg = item(MenuSpecial, "MenuDelReg", QStringLiteral("登録情報削除"));
    PMenuImage->addSeparator();
    MenuDocument = item(PMenuImage, "MenuDocument", QStringLiteral("説明書表示（ブラウザ）"));
    MenuAbout = item(PMenuImage, "MenuAbout", QStringLiteral("バージョン情報"));
    REDISPLAY = item(PMenuImage, "REDISPLAY", QStringLiteral("再表示（デバッグ用）"));
    REDISPLAY->setVisible(false);
}

void TImageForm::setTabOrder() {
    const QList<QWidget*> order{
        PageControl1, FileListBox1,  DriveComboBox1, DirectoryListBox1, ELeft,     ETop,     EDelay,     CBDisposal,
        RBTransON,    RBTransOFF,    BtnTrans,       BtnCancel,         BtnUpdate, Button1,  Button2,    Button4,
        Button6,      BtnColorEdit,  BtnCTAnim,      BtnGCClear,        Button5,   Button3,  EdLSHeight, EdIteration,
        BtnComment,   EdLSWidth,     BtnAdd,         BtnDuplicate,      BtnDelete, BtnClear, BtnMoveTop, BtnUp,
        BtnDown,      BtnMoveBottom, BtnAllSelect,   BtnMake,           SGImages,  BtnGCT,   BtnLSSize,  BtnClose};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

}  // namespace flikkor
