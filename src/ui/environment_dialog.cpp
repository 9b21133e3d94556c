#include "ui/environment_dialog.h"

#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <vector>

#include "app/number_field.h"
#include "app/pages.h"
#include "app/session.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_help.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/ui_session.h"

namespace mirulane::ui {

// A number field with up-down arrows. It holds any text: the arrows step what it holds (text
// that is not a number counts as 0, never below 0), and OK says when it is no integer.
class NumberField : public QAbstractSpinBox {
  public:
    // name: what assistive technology calls the field and its text.
    explicit NumberField(const QString& name) {
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setAccessibleName(name);
        lineEdit()->setAccessibleName(name);
    }

    QString Text() const { return lineEdit()->text(); }
    void SetText(const QString& text) { lineEdit()->setText(text); }

    void stepBy(int steps) override {
        SetText(QString::fromStdString(StepNumberText(Text().toStdString(), steps)));
    }

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

namespace {

constexpr int kPreviewPaneTab = 2;  // the tab of the size fields

// The name a control goes by: its caption without access keys, colon and line breaks.
QString PlainName(const QString& caption) {
    QString name = caption;
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    name.remove(QLatin1Char('&'));
    name.remove(QLatin1Char('\n'));
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name.trimmed();
}

template <typename Widget>
Widget* Named(Widget* widget, const char* objectName, const QString& caption) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(PlainName(caption));
    return widget;
}

QCheckBox* Check(const char* objectName, const char* caption) {
    return Named(new QCheckBox(Utf8(caption)), objectName, Utf8(caption));
}

QComboBox* Combo(const char* objectName, const char* caption,
                 std::initializer_list<const char*> choices) {
    auto* combo = Named(new QComboBox, objectName, Utf8(caption));
    for (const char* choice : choices) combo->addItem(Utf8(choice));
    return combo;
}

// A label that names the field it stands before (its access key moves there).
QLabel* Buddy(const char* caption, QWidget* field) {
    auto* label = new QLabel(Utf8(caption));
    label->setBuddy(field);
    return label;
}

QLabel* Text(const char* text) {
    auto* label = new QLabel(Utf8(text));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A combo box's choice as the setting's value; a setting outside the choices (a hand-edited
// profile) shows no choice and is kept as it is.
void ReadChoice(const QComboBox* combo, int& value) {
    if (combo->currentIndex() >= 0) value = combo->currentIndex();
}

void ReadChoice(const QButtonGroup* group, int& value) {
    if (group->checkedId() >= 0) value = group->checkedId();
}

int Checked(const QCheckBox* check) { return check->isChecked() ? 1 : 0; }

// The Exif options in the page's order.
constexpr int Settings::*kExifOptions[] = {
    &Settings::EnvExifFlash, &Settings::EnvExifShtsp, &Settings::EnvExifAprtv,
    &Settings::EnvExifFolen, &Settings::EnvExifDtorg, &Settings::EnvExifEbias,
    &Settings::EnvExifIsosr,
};

}  // namespace

EnvironmentDialog::EnvironmentDialog(UiSession& session, QWidget* parent)
    : QDialog(parent), session_(session), values_(session.Core().settings) {
    setObjectName(QStringLiteral("environmentDialog"));
    setWindowTitle(Utf8("動作環境の設定"));

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->setAccessibleName(Utf8("設定の種類"));
    tabs_->tabBar()->setAccessibleName(Utf8("設定の種類"));
    // Every tab caption in full: the dialog widens to the tab bar.
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideNone);
    tabs_->addTab(FoldersPage(), Utf8("出力先の既定値"));
    tabs_->addTab(ListPanePage(), Utf8("リストペイン"));
    tabs_->addTab(PreviewPanePage(), Utf8("プレビューペイン"));
    tabs_->addTab(ExifPage(), Utf8("Exif情報の取得"));
    tabs_->addTab(AdvancedPage(), Utf8("上級者向け"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* help = AddOkCancelHelp(*this, *buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    const int tab = std::clamp(session_.EnvironmentTab(), 0, tabs_->count() - 1);
    help_ = std::make_unique<DialogHelp>(*this, session_, kHelpEnvFolders + tab, help);
    tabs_->setCurrentIndex(tab);
    connect(tabs_, &QTabWidget::currentChanged, this, &EnvironmentDialog::ShowTab);
    tabs_->tabBar()->setFocus();
    ApplyEnablingRules();
}

EnvironmentDialog::~EnvironmentDialog() = default;

QWidget* EnvironmentDialog::FoldersPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("foldersPage"));
    const char* captions[] = {
        "トップページ (&index.html):", "リスト・個別ページ(&E):", "サムネイルの場所(&H):"};
    folderCombos_[0] = Combo("pathIdx", captions[0],
                             {"ターゲットフォルダと同位", "ターゲットフォルダの中",
                              "ターゲットフォルダの下位の \"html\" フォルダ",
                              "ターゲットフォルダと同位の \"html\" フォルダ"});
    folderCombos_[1] =
        Combo("pathLst", captions[1],
              {"ターゲットフォルダの中", "ターゲットフォルダの下位の \"html\" フォルダ",
               "ターゲットフォルダと同位の \"html\" フォルダ"});
    folderCombos_[2] = Combo("pathThm", captions[2],
                             {"ターゲットフォルダの下位の \"thumb\" フォルダ",
                              "ターゲットフォルダと同位の \"thumb\" フォルダ"});
    const int values[] = {values_.EnvPathIdx, values_.EnvPathLst, values_.EnvPathThm};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        folderCombos_[i]->setCurrentIndex(values[i]);
        grid->addWidget(Buddy(captions[i], folderCombos_[i]), i, 0);
        grid->addWidget(folderCombos_[i], i, 1);
        connect(folderCombos_[i], &QComboBox::currentIndexChanged, this,
                &EnvironmentDialog::RebuildFolderTree);
    }
    grid->setColumnStretch(1, 1);

    folderTree_ = Named(new QTreeWidget, "folderTree", Utf8("出力先のフォルダ構成"));
    folderTree_->setHeaderHidden(true);
    folderTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    folderTree_->setSelectionMode(QAbstractItemView::NoSelection);
    folderTree_->setIconSize(QSize(16, 16));
    folderTree_->setRootIsDecorated(true);
    RebuildFolderTree();

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(folderTree_, 1);
    return page;
}

QWidget* EnvironmentDialog::ListPanePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("listPanePage"));

    auto* font = new QGroupBox(Utf8("フォント"));
    fontSample_ = Named(new QLabel, "fontSample", Utf8("フォントの見本"));
    fontSample_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    fontSample_->setTextFormat(Qt::PlainText);
    fontSample_->setAlignment(Qt::AlignCenter);
    fontSample_->setMinimumHeight(fontMetrics().lineSpacing() * 3);
    auto* change = Named(new QPushButton(Utf8("変更...")), "changeFont", Utf8("フォントの変更"));
    connect(change, &QPushButton::clicked, this, &EnvironmentDialog::ChangeFont);
    auto* fontRow = new QHBoxLayout(font);
    fontRow->addWidget(fontSample_, 1);
    fontRow->addWidget(change, 0, Qt::AlignVCenter);
    ShowFontSample();

    sortUpLow_ = Check("sortUpLow", "ソート時に大文字/小文字を区別する(&U)");
    listGrid_ = Check("listGrid", "グリッド線を表示する(&G)");
    useFilter_ = Check("useFilter", "フィルタを使用する(&F)");
    sortUpLow_->setChecked(values_.EnvSortUpLow != 0);
    listGrid_->setChecked(values_.EnvLstGrid != 0);
    useFilter_->setChecked(values_.EnvUseFilter != 0);
    connect(useFilter_, &QCheckBox::toggled, this, &EnvironmentDialog::ApplyEnablingRules);

    auto* explanation = Text("ここで指定した種類だけを読込みます");
    filterList_ = Named(new QListWidget, "filterList", Utf8("読込むファイルの種類"));
    for (const FilterRow& row : values_.filter) {
        auto* item = new QListWidgetItem(QString::fromLatin1(row.extension), filterList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(row.on ? Qt::Checked : Qt::Unchecked);
    }
    connect(filterList_, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem* item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    explanation->setBuddy(filterList_);
    auto* note = Text("※ターゲットフォルダ\n　 選択時と再読み込\n　 み時のみ適用され\n　 ます。");
    filterWidgets_ = {explanation, filterList_, note};

    auto* filterRow = new QGridLayout;
    filterRow->addWidget(explanation, 0, 0, 1, 2);
    filterRow->addWidget(filterList_, 1, 0);
    filterRow->addWidget(note, 1, 1, Qt::AlignTop);
    filterRow->setColumnStretch(0, 1);
    filterRow->setContentsMargins(fontMetrics().horizontalAdvance(QChar(0x3042)), 0, 0, 0);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(font);
    layout->addWidget(sortUpLow_);
    layout->addWidget(listGrid_);
    layout->addWidget(useFilter_);
    layout->addLayout(filterRow, 1);
    return page;
}

QWidget* EnvironmentDialog::PreviewPanePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("previewPanePage"));
    auto* heading = Text("「画像の表示」に関する設定");

    // A group of radio buttons whose ids are the setting's values.
    auto radios = [this](QButtonGroup*& group, const char* title, const char* namePrefix,
                         std::initializer_list<const char*> captions, int value) {
        auto* box = new QGroupBox(Utf8(title));
        auto* column = new QVBoxLayout(box);
        group = new QButtonGroup(this);
        int id = 0;
        for (const char* caption : captions) {
            QByteArray name = QByteArray(namePrefix) + QByteArray::number(id);
            auto* radio = Named(new QRadioButton(Utf8(caption)), name.constData(), Utf8(caption));
            group->addButton(radio, id);
            radio->setChecked(id == value);
            column->addWidget(radio);
            ++id;
        }
        return box;
    };
    QGroupBox* image = radios(dispImage_, "画像の表示方法", "dispImage",
                              {"常にターゲットを表示(&T)", "常に個別ページ画像を表示(&K)",
                               "ターゲットを表示できないときだけ\n個別ページ画像を表示(&N)",
                               "常にサムネイル画像を表示(&H)"},
                              values_.EnvDispImage);
    QGroupBox* size = radios(dispSize_, "画像表示サイズ", "dispSize",
                             {"原寸で表示(&O)", "ウィンドウに収まるように自動伸縮(&W)",
                              "指定サイズに収まるように自動伸縮(&Z)"},
                             values_.EnvDispSize);
    connect(dispSize_, &QButtonGroup::idToggled, this, &EnvironmentDialog::ApplyEnablingRules);

    maxW_ = Named(new NumberField(Utf8("幅")), "dispMaxW", Utf8("幅"));
    maxH_ = Named(new NumberField(Utf8("高さ")), "dispMaxH", Utf8("高さ"));
    maxW_->SetText(QString::number(values_.EnvDispMaxW));
    maxH_->SetText(QString::number(values_.EnvDispMaxH));
    QLabel* wLabel = Buddy("幅(&W):", maxW_);
    QLabel* hLabel = Buddy("高さ(&H):", maxH_);
    sizeWidgets_ = {wLabel, maxW_, hLabel, maxH_};
    auto* fields = new QHBoxLayout;
    fields->setContentsMargins(fontMetrics().horizontalAdvance(QString(2, QChar(0x3042))), 0, 0, 0);
    const int digits = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 30;
    for (NumberField* f : {maxW_, maxH_}) f->setMinimumWidth(digits);
    fields->addWidget(wLabel);
    fields->addWidget(maxW_);
    fields->addSpacing(fontMetrics().horizontalAdvance(QChar(0x3042)));
    fields->addWidget(hLabel);
    fields->addWidget(maxH_);
    fields->addStretch(1);
    static_cast<QBoxLayout*>(size->layout())->addLayout(fields);

    withExif_ = Check("withExif", "Exif情報を表示する(&E)");
    withExif_->setChecked(values_.EnvWithExif != 0);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading);
    layout->addWidget(image);
    layout->addWidget(size);
    layout->addWidget(withExif_);
    layout->addStretch(1);
    return page;
}

QWidget* EnvironmentDialog::ExifPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("exifPage"));
    getExif_ = Check("getExif", "JPEGのExif情報を取得する(&E)");
    getExif_->setChecked(values_.EnvGetExif != 0);
    connect(getExif_, &QCheckBox::toggled, this, &EnvironmentDialog::ApplyEnablingRules);

    struct ComboText {
        const char* name;
        const char* caption;
        std::initializer_list<const char*> choices;
    };
    const ComboText combos[] = {
        {"exifFlash",
         "フラッシュの状態(&L):",
         {"発光/非発光のみ", "発光モードまで", "完全に判別する"}},
        {"exifShtsp", "ｼｬｯﾀｰ速度単位(&S):", {"付けない(例:1/60)", "付ける(例:1/60秒)"}},
        {"exifAprtv", "絞り値の「前F」(&F):", {"付けない(例:2.8)", "付ける(例:F2.8)"}},
        {"exifFolen", "焦点距離単位(&C):", {"付けない(例:10)", "付ける(例:10mm)"}},
        {"exifDtorg", "撮影日時の形式(&D):", {"年/月/日 時:分:秒", "年/月/日 時:分", "年/月/日"}},
        {"exifEbias", "露光補正単位(&B):", {"付けない(例:+1.0)", "付ける(例:+1.0EV)"}},
        {"exifIsosr", "ISO感度の前ISO(&I):", {"付けない(例:100)", "付ける(例:ISO100)"}},
    };
    auto* grid = new QGridLayout;
    grid->setContentsMargins(fontMetrics().horizontalAdvance(QString(2, QChar(0x3042))), 0, 0, 0);
    for (size_t i = 0; i < exifCombos_.size(); ++i) {
        const ComboText& c = combos[i];
        QComboBox* combo = Combo(c.name, c.caption, c.choices);
        combo->setCurrentIndex(values_.*kExifOptions[i]);
        QLabel* label = Buddy(c.caption, combo);
        int row = static_cast<int>(i);
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
        exifCombos_[i] = combo;
        exifWidgets_ << label << combo;
    }
    grid->setColumnStretch(2, 1);
    exifDtfil_ = Check("exifDtfil", "撮影日時が取得できないときはファイルの作成日付を採用する(&A)");
    exifDtfil_->setChecked(values_.EnvExifDtfil != 0);
    exifWidgets_ << exifDtfil_;

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(getExif_);
    layout->addLayout(grid);
    layout->addWidget(exifDtfil_);
    layout->addStretch(1);
    return page;
}

QWidget* EnvironmentDialog::AdvancedPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("advancedPage"));
    changePath_ = Check("changePath", "出力先を変更できるようにする(&C)");
    forceOverWrite_ =
        Check("forceOverWrite", "出力ファイルの上書き確認を行わない（強制上書きモード）(&F)");
    makeThumb_ = Check("makeThumb", "サムネイルのない画像は縮小して作成する(&M)");
    changePath_->setChecked(values_.EnvChangePath != 0);
    forceOverWrite_->setChecked(values_.EnvForceOverWrite != 0);
    makeThumb_->setChecked(values_.EnvMakeThumb != 0);
    auto explained = [](QCheckBox* check, const char* text) {
        auto* box = new QVBoxLayout;
        box->addWidget(check);
        QLabel* label = Text(text);
        label->setContentsMargins(check->fontMetrics().horizontalAdvance(QString(2, QChar(0x3042))),
                                  0, 0, 0);
        box->addWidget(label);
        return box;
    };
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(explained(
        changePath_,
        "ページ作成オプションの各種出力先を変更できるようになります。\n"
        "特にサムネイル抽出を行う場合は、オリジナル画像と同じ名前で出力するため、\n"
        "誤って上書きしてしまわないよう、サムネイル出力先の設定には十分ご注意ください。"));
    layout->addSpacing(fontMetrics().lineSpacing());
    layout->addLayout(explained(forceOverWrite_,
                                "各種HTMLファイルやサムネイルの出力で、既に同名のファイルが存在した"
                                "とき、\n確認のダイアログを表示せずに強制的に上書きを行います。"));
    layout->addSpacing(fontMetrics().lineSpacing());
    layout->addLayout(explained(makeThumb_,
                                "サムネイルの抽出で、Exifサムネイルのない画像（PNG、GIF、BMPや"
                                "編集した写真など）\nは、画像を縮小してサムネイルを作成します。"
                                "（サムネイルの抽出ダイアログの初期値）"));
    layout->addStretch(1);
    return page;
}

void EnvironmentDialog::ShowTab(int tab) {
    session_.SetEnvironmentTab(tab);
    session_.SetHelpContext(kHelpEnvFolders + tab);
}

void EnvironmentDialog::RebuildFolderTree() {
    // A combo box without a choice stands for its stored value.
    int chosen[3] = {values_.EnvPathIdx, values_.EnvPathLst, values_.EnvPathThm};
    for (int i = 0; i < 3; ++i) ReadChoice(folderCombos_[i], chosen[i]);

    QStyle* s = style();
    const QIcon folder = s->standardIcon(QStyle::SP_DirIcon);
    const QIcon page = s->standardIcon(QStyle::SP_FileIcon);
    struct NodeLook {
        const char* text;
        QIcon icon;
    };
    const NodeLook looks[] = {
        {"ターゲットフォルダ", QIcon(QStringLiteral(":/icons/target-folder.svg"))},
        {"html", folder},
        {"thumb", folder},
        {"トップページ", page},
        {"リスト・個別.html", page},
        {"サムネイル", QIcon(QStringLiteral(":/icons/entry-image.svg"))},
    };
    folderTree_->clear();
    std::vector<QTreeWidgetItem*> items;
    for (const FolderTreeItem& node : DefaultFolderTree(chosen[0], chosen[1], chosen[2])) {
        const NodeLook& look = looks[static_cast<int>(node.node)];
        QStringList text{Utf8(look.text)};
        auto* item = node.parent < 0 ? new QTreeWidgetItem(folderTree_, text)
                                     : new QTreeWidgetItem(items[node.parent], text);
        item->setIcon(0, look.icon);
        items.push_back(item);
    }
    folderTree_->expandAll();
}

void EnvironmentDialog::ShowFontSample() {
    QString face = FromCp932(values_.FontFaceName);
    fontSample_->setFont(UiSession::ListFont(values_));
    fontSample_->setText(face);
    fontSample_->setAccessibleDescription(face);
}

void EnvironmentDialog::ChangeFont() {
    std::optional<QFont> chosen = session_.chooser().Font(this, UiSession::ListFont(values_));
    if (chosen && session_.SetListFont(values_, *chosen)) ShowFontSample();
}

void EnvironmentDialog::ApplyEnablingRules() {
    for (QWidget* w : filterWidgets_) w->setEnabled(useFilter_->isChecked());
    for (QWidget* w : sizeWidgets_) w->setEnabled(dispSize_->checkedId() == 2);
    for (QWidget* w : exifWidgets_) w->setEnabled(getExif_->isChecked());
}

bool EnvironmentDialog::ReadBack() {
    // The size fields first: one in use that holds no integer keeps the dialog open on it; one
    // that is not in use (another size choice) keeps its value.
    std::optional<int> width = ParseNumberField(maxW_->Text().toStdString());
    std::optional<int> height = ParseNumberField(maxH_->Text().toStdString());
    if (maxW_->isEnabled() && (!width || !height)) {
        tabs_->setCurrentIndex(kPreviewPaneTab);
        session_.chooser().Message(this, QMessageBox::Warning, QStringLiteral("Mirulane"),
                                   Utf8("整数を入力してください。"), QMessageBox::Ok);
        NumberField* bad = !width ? maxW_ : maxH_;
        bad->setFocus();
        bad->selectAll();
        return false;
    }
    ReadChoice(folderCombos_[0], values_.EnvPathIdx);
    ReadChoice(folderCombos_[1], values_.EnvPathLst);
    ReadChoice(folderCombos_[2], values_.EnvPathThm);

    values_.EnvSortUpLow = Checked(sortUpLow_);
    values_.EnvLstGrid = Checked(listGrid_);
    values_.EnvUseFilter = Checked(useFilter_);
    for (int row = 0; row < filterList_->count(); ++row) {
        values_.filter[static_cast<size_t>(row)].on =
            filterList_->item(row)->checkState() == Qt::Checked;
    }

    ReadChoice(dispImage_, values_.EnvDispImage);
    ReadChoice(dispSize_, values_.EnvDispSize);
    values_.EnvDispMaxH = height.value_or(values_.EnvDispMaxH);
    values_.EnvDispMaxW = width.value_or(values_.EnvDispMaxW);
    values_.EnvWithExif = Checked(withExif_);

    values_.EnvGetExif = Checked(getExif_);
    for (size_t i = 0; i < exifCombos_.size(); ++i) {
        ReadChoice(exifCombos_[i], values_.*kExifOptions[i]);
    }
    values_.EnvExifDtfil = Checked(exifDtfil_);

    values_.EnvChangePath = Checked(changePath_);
    values_.EnvForceOverWrite = Checked(forceOverWrite_);
    values_.EnvMakeThumb = Checked(makeThumb_);
    return true;
}

void EnvironmentDialog::accept() {
    if (ReadBack()) QDialog::accept();
}

EnvironmentChanges ExecEnvironmentDialog(UiSession& session, QWidget* parent) {
    EnvironmentDialog dialog(session, parent);
    if (session.chooser().Exec(dialog) != QDialog::Accepted) return {};
    return ApplyEnvironmentOptions(session.Core().settings, dialog.Values());
}

}  // namespace mirulane::ui
