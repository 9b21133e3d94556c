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
#include <utility>
#include <vector>

#include "app/pages.h"
#include "app/session.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_help.h"
#include "ui/help.h"
#include "ui/number_field_widget.h"
#include "ui/qt_text.h"
#include "ui/ui_session.h"
#include "ui_environment_dialog.h"

namespace mirulane::ui {

namespace {

constexpr int kPreviewPaneTab = 2;  // the tab of the size fields

// An exif option's row: its label names the combo box and gives it its access key.
QComboBox* ExifCombo(const char* objectName, const char* caption,
                     std::initializer_list<const char*> choices) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(objectName));
    QString name = Utf8(caption);
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    name.chop(1);  // the colon
    combo->setAccessibleName(name);
    for (const char* choice : choices) combo->addItem(Utf8(choice));
    return combo;
}

// A combo box's choice as the setting's value; a setting outside the choices (a hand-edited
// profile) shows no choice and is kept as it is.
void ReadChoice(const QComboBox* combo, int& value) {
    if (combo->currentIndex() >= 0) value = combo->currentIndex();
}

void ReadChoice(const QButtonGroup* group, int& value) {
    if (group->checkedId() >= 0) value = group->checkedId();
}

bool Checked(const QCheckBox* check) { return check->isChecked(); }

// The Exif options in the page's order.
constexpr int Settings::*kExifOptions[] = {
    &Settings::EnvExifFlash, &Settings::EnvExifShtsp, &Settings::EnvExifAprtv,
    &Settings::EnvExifFolen, &Settings::EnvExifDtorg, &Settings::EnvExifEbias,
    &Settings::EnvExifIsosr,
};

}  // namespace

EnvironmentDialog::EnvironmentDialog(UiSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      values_(session.Core().settings),
      form_(std::make_unique<Ui::EnvironmentDialog>()) {
    form_->setupUi(this);
    form_->tabs->tabBar()->setAccessibleName(form_->tabs->accessibleName());
    folderCombos_ = {form_->pathIdx, form_->pathLst, form_->pathThm};
    for (NumberField* f : {form_->dispMaxW, form_->dispMaxH}) f->SetName(f->accessibleName());
    ShowFolders();
    ShowListPane();
    ShowPreviewPane();
    ShowExif();
    ShowAdvanced();

    AddOkCancel(*this, *form_->buttons);
    const int tab = std::clamp(session_.EnvironmentTab(), 0, form_->tabs->count() - 1);
    help_ = std::make_unique<DialogHelp>(*this, session_, kHelpEnvFolders + tab, *form_->buttons);
    form_->tabs->setCurrentIndex(tab);
    connect(form_->tabs, &QTabWidget::currentChanged, this, &EnvironmentDialog::ShowTab);
    form_->tabs->tabBar()->setFocus();
    ApplyEnablingRules();
}

EnvironmentDialog::~EnvironmentDialog() = default;

void EnvironmentDialog::ShowFolders() {
    const int values[] = {values_.EnvPathIdx, values_.EnvPathLst, values_.EnvPathThm};
    for (int i = 0; i < 3; ++i) {
        folderCombos_[i]->setCurrentIndex(values[i]);
        connect(folderCombos_[i], &QComboBox::currentIndexChanged, this,
                &EnvironmentDialog::RebuildFolderTree);
    }
    RebuildFolderTree();
}

void EnvironmentDialog::ShowListPane() {
    form_->fontSample->setMinimumHeight(fontMetrics().lineSpacing() * 3);
    connect(form_->changeFont, &QPushButton::clicked, this, &EnvironmentDialog::ChangeFont);
    ShowFontSample();

    form_->sortUpLow->setChecked(values_.EnvSortUpLow);
    form_->listGrid->setChecked(values_.EnvLstGrid);
    form_->useFilter->setChecked(values_.EnvUseFilter);
    connect(form_->useFilter, &QCheckBox::toggled, this, &EnvironmentDialog::ApplyEnablingRules);

    QListWidget* list = form_->filterList;
    for (const FilterRow& row : values_.filter) {
        auto* item = new QListWidgetItem(QString::fromLatin1(row.extension), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(row.on ? Qt::Checked : Qt::Unchecked);
    }
    connect(list, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem* item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    form_->filterRow->setContentsMargins(fontMetrics().horizontalAdvance(QChar(0x3042)), 0, 0, 0);
}

void EnvironmentDialog::ShowPreviewPane() {
    // Radio groups whose ids are the settings' values.
    auto group = [this](std::initializer_list<QRadioButton*> radios, int value) {
        auto* buttons = new QButtonGroup(this);
        int id = 0;
        for (QRadioButton* radio : radios) {
            buttons->addButton(radio, id);
            radio->setChecked(id == value);
            ++id;
        }
        return buttons;
    };
    dispImage_ = group({form_->dispImage0, form_->dispImage1, form_->dispImage2, form_->dispImage3},
                       values_.EnvDispImage);
    dispSize_ = group({form_->dispSize0, form_->dispSize1, form_->dispSize2},
                      static_cast<int>(values_.EnvDispSize));
    connect(dispSize_, &QButtonGroup::idToggled, this, &EnvironmentDialog::ApplyEnablingRules);

    form_->dispMaxW->SetValue(values_.EnvDispMaxW);
    form_->dispMaxH->SetValue(values_.EnvDispMaxH);
    const int digits = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 30;
    for (NumberField* f : {form_->dispMaxW, form_->dispMaxH}) f->setMinimumWidth(digits);
    const int kana = fontMetrics().horizontalAdvance(QChar(0x3042));
    form_->dispMaxFields->setContentsMargins(2 * kana, 0, 0, 0);
    form_->dispMaxSpacing->changeSize(kana, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    form_->withExif->setChecked(values_.EnvWithExif);
}

void EnvironmentDialog::ShowExif() {
    form_->getExif->setChecked(values_.EnvGetExif);
    connect(form_->getExif, &QCheckBox::toggled, this, &EnvironmentDialog::ApplyEnablingRules);

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
    QGridLayout* grid = form_->exifOptions;
    grid->setContentsMargins(fontMetrics().horizontalAdvance(QString(2, QChar(0x3042))), 0, 0, 0);
    for (size_t i = 0; i < exifCombos_.size(); ++i) {
        const ComboText& c = combos[i];
        QComboBox* combo = ExifCombo(c.name, c.caption, c.choices);
        combo->setCurrentIndex(values_.*kExifOptions[i]);
        auto* label = new QLabel(Utf8(c.caption));
        label->setBuddy(combo);
        int row = static_cast<int>(i);
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
        exifCombos_[i] = combo;
        exifWidgets_ << label << combo;
    }
    grid->setColumnStretch(2, 1);
    // Tab takes the rows between the two check boxes.
    QWidget* previous = form_->getExif;
    for (QWidget* next : exifCombos_) QWidget::setTabOrder(std::exchange(previous, next), next);
    QWidget::setTabOrder(previous, form_->exifDtfil);
    form_->exifDtfil->raise();  // and assistive technology reads them in that order too
    form_->exifDtfil->setChecked(values_.EnvExifDtfil);
    exifWidgets_ << form_->exifDtfil;
}

void EnvironmentDialog::ShowAdvanced() {
    form_->changePath->setChecked(values_.EnvChangePath);
    form_->forceOverWrite->setChecked(values_.EnvForceOverWrite);
    form_->makeThumb->setChecked(values_.EnvMakeThumb);
    // Each explanation stands under its check box's text.
    for (auto [check, text] : {std::pair{form_->changePath, form_->changePathExplanation},
                               std::pair{form_->forceOverWrite, form_->forceOverWriteExplanation},
                               std::pair{form_->makeThumb, form_->makeThumbExplanation}}) {
        text->setContentsMargins(check->fontMetrics().horizontalAdvance(QString(2, QChar(0x3042))),
                                 0, 0, 0);
    }
    const int line = fontMetrics().lineSpacing();
    for (QSpacerItem* gap : {form_->advancedSpacing1, form_->advancedSpacing2}) {
        gap->changeSize(0, line, QSizePolicy::Minimum, QSizePolicy::Fixed);
    }
}

void EnvironmentDialog::ShowTab(int tab) {
    session_.SetEnvironmentTab(tab);
    help_->SetContext(kHelpEnvFolders + tab);
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
    QTreeWidget* tree = form_->folderTree;
    tree->clear();
    std::vector<QTreeWidgetItem*> items;
    for (const FolderTreeItem& node : DefaultFolderTree(chosen[0], chosen[1], chosen[2])) {
        const NodeLook& look = looks[static_cast<int>(node.node)];
        QStringList text{Utf8(look.text)};
        auto* item = node.parent < 0 ? new QTreeWidgetItem(tree, text)
                                     : new QTreeWidgetItem(items[node.parent], text);
        item->setIcon(0, look.icon);
        items.push_back(item);
    }
    tree->expandAll();
}

void EnvironmentDialog::ShowFontSample() {
    QString face = FromCp932(values_.listFont.faceName);
    form_->fontSample->setFont(UiSession::ListFont(values_));
    form_->fontSample->setText(face);
    form_->fontSample->setAccessibleDescription(face);
}

void EnvironmentDialog::ChangeFont() {
    std::optional<QFont> chosen = session_.chooser().Font(this, UiSession::ListFont(values_));
    if (chosen && session_.SetListFont(values_, *chosen)) ShowFontSample();
}

void EnvironmentDialog::ApplyEnablingRules() {
    const bool filter = form_->useFilter->isChecked();
    for (QWidget* w :
         {static_cast<QWidget*>(form_->filterExplanation), static_cast<QWidget*>(form_->filterList),
          static_cast<QWidget*>(form_->filterNote)}) {
        w->setEnabled(filter);
    }
    const bool size = dispSize_->checkedId() == static_cast<int>(DisplaySize::FitBox);
    for (QWidget* w :
         {static_cast<QWidget*>(form_->dispMaxWLabel), static_cast<QWidget*>(form_->dispMaxW),
          static_cast<QWidget*>(form_->dispMaxHLabel), static_cast<QWidget*>(form_->dispMaxH)}) {
        w->setEnabled(size);
    }
    for (QWidget* w : exifWidgets_) w->setEnabled(form_->getExif->isChecked());
}

bool EnvironmentDialog::ReadBack() {
    // The size fields first: one in use that holds no integer keeps the dialog open on it; one
    // that is not in use (another size choice) keeps its value.
    if (NumberField* bad = FirstRefusedNumber({form_->dispMaxW, form_->dispMaxH})) {
        form_->tabs->setCurrentIndex(kPreviewPaneTab);
        RefuseNumber(session_, this, bad);
        return false;
    }
    ReadChoice(folderCombos_[0], values_.EnvPathIdx);
    ReadChoice(folderCombos_[1], values_.EnvPathLst);
    ReadChoice(folderCombos_[2], values_.EnvPathThm);

    values_.EnvSortUpLow = Checked(form_->sortUpLow);
    values_.EnvLstGrid = Checked(form_->listGrid);
    values_.EnvUseFilter = Checked(form_->useFilter);
    for (int row = 0; row < form_->filterList->count(); ++row) {
        values_.filter[static_cast<size_t>(row)].on =
            form_->filterList->item(row)->checkState() == Qt::Checked;
    }

    ReadChoice(dispImage_, values_.EnvDispImage);
    if (dispSize_->checkedId() >= 0)
        values_.EnvDispSize = static_cast<DisplaySize>(dispSize_->checkedId());
    values_.EnvDispMaxH = form_->dispMaxH->Value().value_or(values_.EnvDispMaxH);
    values_.EnvDispMaxW = form_->dispMaxW->Value().value_or(values_.EnvDispMaxW);
    values_.EnvWithExif = Checked(form_->withExif);

    values_.EnvGetExif = Checked(form_->getExif);
    for (size_t i = 0; i < exifCombos_.size(); ++i) {
        ReadChoice(exifCombos_[i], values_.*kExifOptions[i]);
    }
    values_.EnvExifDtfil = Checked(form_->exifDtfil);

    values_.EnvChangePath = Checked(form_->changePath);
    values_.EnvForceOverWrite = Checked(form_->forceOverWrite);
    values_.EnvMakeThumb = Checked(form_->makeThumb);
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
