#include "ui/page_options_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/page_limits.h"
#include "app/page_options.h"
#include "app/pages.h"
#include "app/session.h"
#include "app/template_files.h"
#include "ui/chooser_texts.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_help.h"
#include "ui/help.h"
#include "ui/number_field_widget.h"
#include "ui/qt_text.h"
#include "ui/replacement_strings_dialog.h"
#include "ui/thumbnail_dialog.h"
#include "ui/typed_field.h"
#include "ui/ui_session.h"

namespace mirulane::ui {
namespace {

QLabel* Label(const char* text, QWidget* buddy) {
    auto* label = new QLabel(Utf8(text));
    label->setBuddy(buddy);
    return label;
}

QPushButton* Button(const char* text, const QString& objectName) {
    auto* button = new QPushButton(Utf8(text));
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

// A named value as the id of its radio button or the row of its list.
template <class E>
int Id(E value) {
    return static_cast<int>(value);
}

QString Name(const char* prefix, const char* suffix) {
    return QString::fromLatin1(prefix) + QString::fromLatin1(suffix);
}

}  // namespace

PageOptionsDialog::PageOptionsDialog(UiSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      edited_(session.Core().album.style),
      binder_([this](const QString& text) { ShowHint(text); }) {
    setObjectName(QStringLiteral("pageOptionsDialog"));
    setWindowTitle(Utf8("ページ作成オプション"));
    hint_ = new QLabel;
    hint_->setObjectName(QStringLiteral("hint"));
    hint_->setWordWrap(true);

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->addTab(TopTab(), Utf8("トップページ"));
    tabs_->addTab(ListTab(), Utf8("リストページ"));
    tabs_->addTab(DetailTab(), Utf8("個別ページ"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(hint_);
    // The tab shown last in this run comes first; each tab has its own help page.
    const int tab = std::clamp(session_.PageOptionsTab(), 0, tabs_->count() - 1);
    layout->addWidget(ButtonRow(kHelpPageTop + tab));

    if (!session_.Core().settings.EnvChangePath) {
        for (QWidget* w : outputFolders_) {
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                edit->setReadOnly(true);
            } else {
                w->setEnabled(false);
            }
        }
    }
    extract_->setEnabled(session_.Core().album.entries.Count() > 0);
    Show(edited_);

    tabs_->setCurrentIndex(tab);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        session_.SetPageOptionsTab(index);
        help_->SetContext(kHelpPageTop + index);
    });
}

PageOptionsDialog::~PageOptionsDialog() = default;

QLineEdit* PageOptionsDialog::Text(std::string PageStyle::*member, const char* objectName,
                                   size_t maxBytes, const QString& name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setAccessibleName(name);
    texts_.push_back({binder_.AddLine(edit, maxBytes, name), member});
    return edit;
}

NumberField* PageOptionsDialog::Number(int PageStyle::*member, const char* objectName,
                                       const QString& name) {
    auto* field = new NumberField;
    field->setObjectName(QString::fromLatin1(objectName));
    field->SetName(name);
    field->SetValue(0);
    field->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 32);
    numbers_.push_back({field, member});
    return field;
}

QLayout* PageOptionsDialog::FolderRow(std::string PageStyle::*member, const char* objectName,
                                      const char* caption, const QString& name, bool fixed) {
    QLineEdit* edit = Text(member, objectName, kPagePathMaxBytes, name);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 44);
    auto* browse = Button("...", QString::fromLatin1(objectName) + QStringLiteral("Browse"));
    browse->setAccessibleName(name + Utf8("のフォルダを選択"));
    browse->setMaximumWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    const int key = texts_.back().key;
    connect(browse, &QPushButton::clicked, this, [this, edit, key] {
        std::optional<QString> chosen =
            session_.chooser().Folder(this, FolderPrompt(), edit->text());
        if (!chosen || !session_.AlbumPath(*chosen)) return;
        binder_.SetText(key, *chosen);
    });
    if (fixed) outputFolders_.insert(outputFolders_.end(), {edit, browse});
    auto* row = new QHBoxLayout;
    row->addWidget(Label(caption, edit));
    row->addWidget(edit, 1);
    row->addWidget(browse);
    return row;
}

QWidget* PageOptionsDialog::TopTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(FolderRow(&PageStyle::TopFolder, "topFolder",
                                "出力先:", Utf8("トップページの出力先"), true));
    QLineEdit* title =
        Text(&PageStyle::TopTitle, "topTitle", kPageTitleMaxBytes, Utf8("トップページのタイトル"));
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(Label("トップページのタイトル:", title));
    titleRow->addWidget(title, 1);
    layout->addLayout(titleRow);

    auto* style = new QGroupBox(Utf8("スタイル"));
    auto* pictures = new QHBoxLayout(style);
    layouts_ = new QButtonGroup(this);
    for (int i = 0; i < kTopLayoutCount; ++i) {
        const TopLayoutName& l = kTopLayoutNames[i];
        auto* button = new QToolButton;
        button->setObjectName(QStringLiteral("layout%1").arg(i));
        button->setIcon(QIcon(QStringLiteral(":/icons/top-layout-%1.svg").arg(i)));
        button->setIconSize(QSize(64, 48));
        button->setText(Utf8(l.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setCheckable(true);
        QString parts = Utf8(l.first);
        if (*l.second) parts += Utf8("、") + Utf8(l.second);
        button->setAccessibleName(Utf8(l.caption) + Utf8("（") + parts + Utf8("）"));
        button->setToolTip(button->accessibleName());
        layouts_->addButton(button, i);
        auto* caption = new QLabel(Utf8(l.first) + QLatin1Char('\n') + Utf8(l.second));
        caption->setAlignment(Qt::AlignCenter);
        auto* column = new QVBoxLayout;
        column->addWidget(button, 0, Qt::AlignHCenter);
        column->addWidget(caption);
        pictures->addLayout(column);
    }
    choices_.push_back({layouts_, nullptr, &PageStyle::TopStyle});
    connect(layouts_, &QButtonGroup::idToggled, this, [this] { UpdateStates(); });

    auto* frames = new QHBoxLayout;
    auto* listFrame = new QGroupBox(Utf8("リストフレーム"));
    auto* listGrid = new QGridLayout(listFrame);
    auto addNumber = [this](QGridLayout* grid, int row, const char* label, int PageStyle::*member,
                            const char* objectName, const QString& name) {
        NumberField* spin = Number(member, objectName, name);
        QLabel* caption = Label(label, spin);
        grid->addWidget(caption, row, 0);
        grid->addWidget(spin, row, 1);
        return std::pair<QWidget*, QWidget*>{caption, spin};
    };
    addNumber(listGrid, 0, "上下マージン:", &PageStyle::ListFrameMarginH, "listMarginH",
              Utf8("リストフレームの上下マージン"));
    addNumber(listGrid, 1, "左右マージン:", &PageStyle::ListFrameMarginW, "listMarginW",
              Utf8("リストフレームの左右マージン"));
    // Width and height share one place: the layout decides which one is shown.
    auto [wLabel, wSpin] = addNumber(listGrid, 2, "フレーム幅:", &PageStyle::ListFrameWidth,
                                     "frameWidth", Utf8("リストフレームの幅"));
    auto [hLabel, hSpin] = addNumber(listGrid, 2, "フレーム高さ:", &PageStyle::ListFrameHeight,
                                     "frameHeight", Utf8("リストフレームの高さ"));
    frameWidthRow_[0] = wLabel;
    frameWidthRow_[1] = wSpin;
    frameHeightRow_[0] = hLabel;
    frameHeightRow_[1] = hSpin;
    auto* detailFrame = new QGroupBox(Utf8("個別フレーム"));
    auto* detailGrid = new QGridLayout(detailFrame);
    addNumber(detailGrid, 0, "上下マージン:", &PageStyle::DetailFrameMarginH, "detailMarginH",
              Utf8("個別フレームの上下マージン"));
    addNumber(detailGrid, 1, "左右マージン:", &PageStyle::DetailFrameMarginW, "detailMarginW",
              Utf8("個別フレームの左右マージン"));
    detailGrid->setRowStretch(2, 1);
    frames->addWidget(listFrame);
    frames->addWidget(detailFrame);

    layout->addWidget(style);
    layout->addLayout(frames);
    for (auto [text, member, objectName] :
         {std::tuple{"リストフレームと個別フレームの境界線を付ける(&L)", &PageStyle::FrameBorder,
                     "frameBorder"},
          std::tuple{"リストフレームのサイズを変更できないようにする(&N)",
                     &PageStyle::FrameNoResize, "frameNoResize"},
          std::tuple{"自動再生情報(autorun.inf)を作成する(&A)", &PageStyle::MakeAutorun,
                     "makeAutorun"}}) {
        auto* check = new QCheckBox(Utf8(text));
        check->setObjectName(QString::fromLatin1(objectName));
        switches_.push_back({check, member});
        layout->addWidget(check);
    }
    layout->addStretch(1);
    return page;
}

QWidget* PageOptionsDialog::TemplateGroup(Template& t, TemplateSource PageStyle::*useFile,
                                          int PageStyle::*preset, std::string PageStyle::*file,
                                          const char* prefix) {
    auto* group = new QGroupBox(Utf8("テンプレート"));
    auto* grid = new QGridLayout(group);
    t.choice = new QButtonGroup(this);
    auto* presetRadio = new QRadioButton(Utf8("プリセット"));
    auto* fileRadio = new QRadioButton(Utf8("オリジナル"));
    presetRadio->setObjectName(Name(prefix, "PresetChoice"));
    fileRadio->setObjectName(Name(prefix, "FileChoice"));
    t.choice->addButton(presetRadio, Id(TemplateSource::Preset));
    t.choice->addButton(fileRadio, Id(TemplateSource::File));
    choices_.push_back({t.choice, nullptr, useFile});
    connect(t.choice, &QButtonGroup::idToggled, this, [this] { UpdateStates(); });

    t.presets = new QComboBox;
    t.presets->setObjectName(Name(prefix, "Presets"));
    t.presets->setAccessibleName(Utf8("プリセット"));
    const bool list = t.kind == PresetKind::List;
    const int count = list ? kListPresetCount : kDetailPresetCount;
    for (int i = 0; i < count; ++i) {
        t.presets->addItem(FromCp932(list ? ListPresetName(i) : DetailPresetName(i)));
    }
    choices_.push_back({nullptr, t.presets, preset});
    t.exportButton = Button("ﾌｧｲﾙ出力...", Name(prefix, "Export"));
    connect(t.exportButton, &QPushButton::clicked, this, [this, &t] { ExportChosenPreset(t); });

    t.file = Text(file, Name(prefix, "TemplateFile").toLatin1().constData(), kPagePathMaxBytes,
                  Utf8("テンプレートファイル"));
    t.fileKey = texts_.back().key;
    t.browse = Button("...", Name(prefix, "TemplateBrowse"));
    t.browse->setAccessibleName(Utf8("テンプレートファイルを選択"));
    t.browse->setMaximumWidth(t.browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                              24);
    connect(t.browse, &QPushButton::clicked, this, [this, &t] { ChooseTemplateFile(t); });

    auto* strings = Button("置換対象文字列...", Name(prefix, "ReplacementStrings"));
    connect(strings, &QPushButton::clicked, this, &PageOptionsDialog::OpenReplacementStrings);

    grid->addWidget(presetRadio, 0, 0);
    grid->addWidget(t.presets, 0, 1, 1, 2);
    grid->addWidget(t.exportButton, 0, 3);
    grid->addWidget(fileRadio, 1, 0);
    grid->addWidget(t.file, 1, 1, 1, 2);
    grid->addWidget(t.browse, 1, 3);
    grid->addWidget(strings, 2, 0, 1, 2);
    grid->addWidget(new QLabel(Utf8("（テンプレートの文字列置き換え設定）")), 2, 2, 1, 2);
    grid->setColumnStretch(2, 1);
    return group;
}

QWidget* PageOptionsDialog::SizeGroup(SizeRows& size, SizeMode PageStyle::*mode,
                                      int PageStyle::*scale, int PageStyle::*width,
                                      int PageStyle::*height, const char* prefix) {
    const QString what = Utf8(std::string_view(prefix) == "thumb" ? "サムネイル" : "画像");
    auto* group = new QGroupBox(Utf8("表示サイズ"));
    group->setAccessibleName(what + Utf8("の表示サイズ"));
    auto* grid = new QGridLayout(group);
    size.modes = new QButtonGroup(this);
    const char* captions[] = {"倍率指定", "サイズ指定", "原寸表示"};
    const char* names[] = {"ScaleMode", "FitMode", "ActualMode"};
    for (int m = 0; m < 3; ++m) {
        auto* radio = new QRadioButton(Utf8(captions[m]));
        radio->setObjectName(Name(prefix, names[m]));
        size.modes->addButton(radio, m);
        grid->addWidget(radio, m, 0);
    }
    choices_.push_back({size.modes, nullptr, mode});
    connect(size.modes, &QButtonGroup::idToggled, this, [this] { UpdateStates(); });

    NumberField* percent =
        Number(scale, Name(prefix, "Scale").toLatin1().constData(), what + Utf8("の倍率（％）"));
    auto* percentLabel = new QLabel(Utf8("％"));
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(percent);
    scaleRow->addWidget(percentLabel);
    scaleRow->addStretch(1);
    grid->addLayout(scaleRow, 0, 1);
    size.scale = {percent, percentLabel};

    NumberField* w =
        Number(width, Name(prefix, "FitWidth").toLatin1().constData(), what + Utf8("の幅"));
    NumberField* h =
        Number(height, Name(prefix, "FitHeight").toLatin1().constData(), what + Utf8("の高さ"));
    QLabel* wLabel = Label("幅:", w);
    QLabel* hLabel = Label("高さ:", h);
    auto* fitLabel = new QLabel(Utf8("に収める"));
    auto* fitRow = new QHBoxLayout;
    for (QWidget* x : std::initializer_list<QWidget*>{wLabel, w, hLabel, h, fitLabel}) {
        fitRow->addWidget(x);
    }
    fitRow->addStretch(1);
    grid->addLayout(fitRow, 1, 1);
    size.fit = {wLabel, w, hLabel, h, fitLabel};
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* PageOptionsDialog::ListTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(FolderRow(&PageStyle::ListFolder, "listFolder",
                                "出力先:", Utf8("リストページの出力先"), true));
    layout->addWidget(TemplateGroup(listTemplate_, &PageStyle::ListUseFile, &PageStyle::ListPreset,
                                    &PageStyle::ListTemplateFile, "list"));

    auto* thumbs = new QGroupBox(Utf8("サムネイル"));
    auto* thumbLayout = new QVBoxLayout(thumbs);
    // The thumbnail folder is an output folder too.
    thumbLayout->addLayout(
        FolderRow(&PageStyle::ThumbFolder, "thumbFolder", "場所:", Utf8("サムネイルの場所"), true));
    thumbLayout->addWidget(SizeGroup(thumbSize_, &PageStyle::ThumbSizeMode, &PageStyle::ThumbScale,
                                     &PageStyle::ThumbFitWidth, &PageStyle::ThumbFitHeight,
                                     "thumb"));

    auto* display = new QGroupBox(Utf8("表示と配置"));
    auto* displayRow = new QHBoxLayout(display);
    auto* text = new QComboBox;
    text->setObjectName(QStringLiteral("listText"));
    for (const char* item :
         {"表示しない", "タイトル", "ファイル名（拡張子なし）", "ファイル名（拡張子あり）"}) {
        text->addItem(Utf8(item));
    }
    choices_.push_back({nullptr, text, &PageStyle::ListTextKind});
    NumberField* spacing = Number(&PageStyle::ListCellSpacing, "listSpacing", Utf8("間隔"));
    auto* align = new QComboBox;
    align->setObjectName(QStringLiteral("listAlign"));
    for (const char* item : {"左寄せ", "中央", "右寄せ"}) align->addItem(Utf8(item));
    choices_.push_back({nullptr, align, &PageStyle::ListAlign});
    displayRow->addWidget(Label("文字列:", text));
    displayRow->addWidget(text);
    displayRow->addWidget(Label("間隔:", spacing));
    displayRow->addWidget(spacing);
    displayRow->addWidget(Label("配置:", align));
    displayRow->addWidget(align);
    displayRow->addStretch(1);

    extract_ = Button("サムネイルの抽出...", QStringLiteral("extractThumbnails"));
    connect(extract_, &QPushButton::clicked, this, &PageOptionsDialog::ExtractThumbnails);
    auto* note = new QLabel(
        Utf8("ターゲット画像がExif形式のJPEGファイルの場合、サムネイルの抽出が行えます。"));
    note->setWordWrap(true);
    auto* extractRow = new QHBoxLayout;
    extractRow->addWidget(extract_);
    extractRow->addWidget(note, 1);

    layout->addWidget(thumbs);
    layout->addWidget(display);
    layout->addLayout(extractRow);
    layout->addStretch(1);
    return page;
}

QWidget* PageOptionsDialog::DetailTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(FolderRow(&PageStyle::DetailFolder, "detailFolder",
                                "出力先:", Utf8("個別ページの出力先"), true));
    layout->addWidget(TemplateGroup(detailTemplate_, &PageStyle::DetailUseFile,
                                    &PageStyle::DetailPreset, &PageStyle::DetailTemplateFile,
                                    "detail"));
    auto* images = new QGroupBox(Utf8("画像"));
    auto* imageLayout = new QVBoxLayout(images);
    // The pictures' folder may be typed whatever EnvChangePath says.
    imageLayout->addLayout(
        FolderRow(&PageStyle::ImageFolder, "imageFolder", "場所:", Utf8("画像の場所"), false));
    imageLayout->addWidget(SizeGroup(imageSize_, &PageStyle::ImageSizeMode, &PageStyle::ImageScale,
                                     &PageStyle::ImageFitWidth, &PageStyle::ImageFitHeight,
                                     "image"));
    auto* target = new QCheckBox(Utf8("ターゲット画像は新規ウィンドウで開く"));
    target->setObjectName(QStringLiteral("targetToTop"));
    switches_.push_back({target, &PageStyle::TargetToTop});
    auto* dynsrc = new QCheckBox(Utf8("動画を古い形式（<img dynsrc>）で書き出す"));
    dynsrc->setObjectName(QStringLiteral("movieDynsrc"));
    switches_.push_back({dynsrc, &PageStyle::MovieDynsrc});
    layout->addWidget(images);
    layout->addWidget(target);
    layout->addWidget(dynsrc);
    layout->addStretch(1);
    return page;
}

QWidget* PageOptionsDialog::ButtonRow(int helpContext) {
    auto* buttons = new QDialogButtonBox;
    QPushButton* reset =
        AddButton(*buttons, Utf8("既定値に戻す(&R)..."), QDialogButtonBox::ResetRole, "reset");
    connect(reset, &QPushButton::clicked, this, &PageOptionsDialog::ResetToDefaults);
    AddOkCancel(*this, *buttons);
    help_ = std::make_unique<DialogHelp>(*this, session_, helpContext, *buttons);
    // Like every other button of this dialog, these never take the default from OK.
    for (QAbstractButton* b : buttons->buttons())
        static_cast<QPushButton*>(b)->setAutoDefault(false);
    return buttons;
}

void PageOptionsDialog::Show(const PageStyle& style) {
    for (const TextField& t : texts_) binder_.Load(t.key, style.*t.member);
    // A value below 0 (an album file may hold one) shows as 0.
    for (const NumberBinding& n : numbers_) n.field->SetValue(std::max(0, style.*n.member));
    for (const SwitchBinding& b : switches_) b.check->setChecked(style.*b.member);
    for (const Choice& c : choices_) {
        const int v = std::visit([&style](auto member) { return Id(style.*member); }, c.member);
        if (c.list) c.list->setCurrentIndex(v);
        if (c.group) {
            if (QAbstractButton* b = c.group->button(v)) b->setChecked(true);
        }
    }
    UpdateStates();
}

void PageOptionsDialog::Collect(PageStyle& style) const {
    for (const TextField& t : texts_) style.*t.member = binder_.Stored(t.key);
    // A field whose text is no integer keeps the value (OK refuses it while it is in use).
    for (const NumberBinding& n : numbers_)
        style.*n.member = n.field->Value().value_or(style.*n.member);
    for (const SwitchBinding& b : switches_) style.*b.member = b.check->isChecked();
    for (const Choice& c : choices_) {
        int v = -1;
        if (c.list) v = c.list->currentIndex();
        if (c.group) v = c.group->checkedId();
        // No choice (a value outside the choices) keeps the value.
        if (v < 0) continue;
        std::visit(
            [&style, v](auto member) {
                style.*member = static_cast<std::remove_reference_t<decltype(style.*member)>>(v);
            },
            c.member);
    }
}

void PageOptionsDialog::UpdateStates() {
    // Layouts 0 and 1 put the list frame in a column (its width), 2 and 3 in a row (its height).
    const bool column = ListLayoutIsVertical(static_cast<TopLayout>(layouts_->checkedId()));
    for (QWidget* w : frameWidthRow_) w->setVisible(column);
    for (QWidget* w : frameHeightRow_) w->setVisible(!column);
    for (const Template* t : {&listTemplate_, &detailTemplate_}) {
        const bool preset = t->choice->checkedId() != Id(TemplateSource::File);
        t->presets->setEnabled(preset);
        t->exportButton->setEnabled(preset);
        t->file->setEnabled(!preset);
        t->browse->setEnabled(!preset);
    }
    for (const SizeRows* s : {&thumbSize_, &imageSize_}) {
        const int mode = s->modes->checkedId();
        for (QWidget* w : s->scale) w->setEnabled(mode == Id(SizeMode::Scale));
        for (QWidget* w : s->fit) w->setEnabled(mode == Id(SizeMode::Fit));
    }
}

void PageOptionsDialog::ResetToDefaults() {
    QMessageBox::StandardButton answer = session_.chooser().Message(
        this, QMessageBox::Question, Utf8("確認メッセージ"),
        Utf8("ページ作成オプションを既定値に戻します。\nよろしいですか？\n\n"
             "※ 但し、下記の項目は変更されません\n"
             "   ・トップページの出力先、タイトル\n"
             "   ・リストページの出力先、サムネイル画像の場所\n"
             "   ・個別ページの出力先、画像の場所、テンプレートファイル名"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    PageStyle style = edited_;
    Collect(style);
    ResetPageOptions(style);
    Show(style);
}

void PageOptionsDialog::ExportChosenPreset(const Template& t) {
    const int index = t.presets->currentIndex();
    if (index < 0) return;
    // The list variant of the stored layout: one picked on the top-page tab is not OK'd yet.
    const TopLayout topStyle = session_.Core().album.style.TopStyle;
    const QString name = FromCp932(ExportFileName(t.kind, index, topStyle));
    const QString folder = session_.DialogFolder();
    std::optional<QString> chosen = session_.chooser().SaveFile(
        this, Utf8("名前を付けて保存"), folder.isEmpty() ? name : folder + QLatin1Char('/') + name,
        HtmlSaveFilters(), QStringLiteral("html"));
    if (!chosen) return;
    std::optional<std::string> path = session_.AlbumPath(*chosen);
    if (!path) return;
    ExportPresetFile(session_.interaction(), t.kind, index, !ListLayoutIsVertical(topStyle), *path);
}

void PageOptionsDialog::ChooseTemplateFile(const Template& t) {
    const QString current = t.file->text();
    std::optional<QString> chosen = session_.chooser().OpenFile(
        this, Utf8("開く"),
        current.isEmpty() ? session_.DialogFolder() : QFileInfo(current).absolutePath(),
        HtmlOpenFilters());
    if (!chosen) return;
    std::optional<std::string> path = session_.AlbumPath(*chosen);
    if (!path) return;
    // A file the page writers could not read is refused now, saying why.
    if (!TemplateFileUsable(session_.interaction(), *path)) return;
    binder_.SetText(t.fileKey, *chosen);
}

bool PageOptionsDialog::TemplateReadable(const PageStyle& style, const Template& t,
                                         TemplateSource PageStyle::*useFile,
                                         std::string PageStyle::*file) {
    const PageStyle& stored = session_.Core().album.style;
    if (style.*useFile != TemplateSource::File) return true;
    if (stored.*useFile == TemplateSource::File && stored.*file == style.*file) return true;
    if (TemplateFileUsable(session_.interaction(), style.*file)) return true;
    tabs_->setCurrentIndex(t.kind == PresetKind::List ? kListTab : kDetailTab);
    t.file->setFocus();
    return false;
}

void PageOptionsDialog::OpenReplacementStrings() {
    ReplacementStringsDialog dialog(session_, this);
    session_.chooser().Exec(dialog);
}

void PageOptionsDialog::ExtractThumbnails() {
    if (ExecThumbnailDialog(session_, this) != QDialog::Accepted) return;
    // The extraction stored the folder it ran into; the tab shows it, so OK keeps it.
    const std::string& folder = session_.Core().album.style.ThumbFolder;
    for (const TextField& t : texts_) {
        if (t.member == &PageStyle::ThumbFolder) binder_.Load(t.key, folder);
    }
}

void PageOptionsDialog::accept() {
    std::vector<NumberField*> fields;
    for (const NumberBinding& n : numbers_) fields.push_back(n.field);
    if (NumberField* bad = FirstRefusedNumber(fields)) {
        for (int tab = 0; tab < tabs_->count(); ++tab) {
            if (tabs_->widget(tab)->isAncestorOf(bad)) tabs_->setCurrentIndex(tab);
        }
        RefuseNumber(session_, this, bad);
        return;
    }
    PageStyle style = edited_;
    Collect(style);
    if (!TemplateReadable(style, listTemplate_, &PageStyle::ListUseFile,
                          &PageStyle::ListTemplateFile) ||
        !TemplateReadable(style, detailTemplate_, &PageStyle::DetailUseFile,
                          &PageStyle::DetailTemplateFile)) {
        return;
    }
    StorePageOptions(session_.Core().album, style);
    QDialog::accept();
}

void PageOptionsDialog::ShowHint(const QString& text) {
    hint_->setText(text);
    QApplication::beep();
}

}  // namespace mirulane::ui
