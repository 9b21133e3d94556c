#include "ui/replacement_strings_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <tuple>
#include <utility>

#include "app/page_options.h"
#include "app/pages.h"
#include "app/session.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_help.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/typed_field.h"
#include "ui/ui_session.h"
#include "ui_replacement_strings_dialog.h"

namespace mirulane::ui {
namespace {

// The link texts stand inside a token value of at most 511 bytes, beside the link itself.
constexpr size_t kLinkTextMax = 255;

struct Row {
    Token token;
    const char* label;
};

const Row kLeft[] = {
    {Token::TARGET, "ターゲット(&R):"}, {Token::FILE, "ﾌｧｲﾙ名(&N):"},
    {Token::FILEEX, "ﾌｧｲﾙ名EX(&E):"},   {Token::TITLE, "タイトル(&T):"},
    {Token::YOMI, "読み(&Y):"},         {Token::GROUP, "グループ(&G):"},
    {Token::IMAGE, "画像(&I):"},        {Token::COMM1, "コメント１(&1):"},
    {Token::COMM2, "コメント２(&2):"},  {Token::PGCUR, "現ページ(&P):"},
    {Token::PGTOTAL, "総ページ(&K):"},  {Token::PREV, "前ページ(&V):"},
    {Token::NEXT, "次ページ(&X):"},
};
const Row kExif[] = {
    {Token::MAKER, "メーカー(&M):"},   {Token::MODEL, "モデル(&O):"},
    {Token::DTORG, "撮影日時(&D):"},   {Token::ISOSR, "ISO感度(&S):"},
    {Token::SHTSP, "ｼｬｯﾀｰ速度(&H):"},  {Token::APRTV, "絞り値(&A):"},
    {Token::FOLEN, "焦点距離(&L):"},   {Token::FLASH, "フラッシュ(&F):"},
    {Token::EBIAS, "露光補正量(&B):"}, {Token::IMGSZ, "画像サイズ(&Z):"},
};
const Row kListOnly[] = {
    {Token::DETAIL, "個別リンク(&C):"}, {Token::CELLSPC, "表示間隔(&J):"},
    {Token::TDALIGN, "配置(&Q):"},      {Token::TDTEXT, "文字列(&3):"},
    {Token::THUMB, "ｻﾑﾈｲﾙ(&4):"},       {Token::THUMBSP, "ｻﾑﾈｲﾙSP(&5):"},
};

QLineEdit* ReadOnlyField(const QString& text, const QString& name) {
    auto* field = new QLineEdit(text);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setAccessibleName(name);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(text) + 16);
    return field;
}

}  // namespace

ReplacementStringsDialog::ReplacementStringsDialog(UiSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      form_(std::make_unique<Ui::ReplacementStringsDialog>()),
      binder_([this](const QString& text) { ShowHint(text); }) {
    form_->setupUi(this);
    const PageStyle& style = session_.Core().album.style;

    // Under each column's header, a row per switch and the token it switches.
    auto addRows = [this, &style](QGridLayout* grid, const Row* from, const Row* to) {
        for (const Row* r = from; r != to; ++r) {
            int row = grid->rowCount();
            auto* check = new QCheckBox(Utf8(r->label));
            const QString token = QString::fromLatin1(TokenText(r->token));
            check->setObjectName(QStringLiteral("switch") + token);
            check->setChecked(style.Switch(r->token));
            switches_[static_cast<int>(r->token)] = check;
            grid->addWidget(check, row, 0);
            grid->addWidget(ReadOnlyField(token, FieldName(r->label) + Utf8("の置換対象")), row, 1);
        }
    };
    // Under the switches of the two links, the texts they show.
    auto linkText = [this](QGridLayout* grid, const std::string& text, const char* objectName,
                           const char* name) {
        auto* edit = new QLineEdit;
        const int key = binder_.AddLine(edit, kLinkTextMax, Utf8(name));
        binder_.Load(key, text);
        edit->setObjectName(QString::fromLatin1(objectName));
        edit->setAccessibleName(Utf8(name));
        auto* label = new QLabel(Utf8("表示内容:"));
        label->setBuddy(edit);
        auto* row = new QHBoxLayout;
        row->setContentsMargins(24, 0, 0, 0);
        row->addWidget(label);
        row->addWidget(edit, 1);
        grid->addLayout(row, grid->rowCount(), 0, 1, 2);
        return std::pair{edit, key};
    };

    QGridLayout* left = form_->entryTokens;
    const Row* prevRow = std::end(kLeft) - 2;
    addRows(left, std::begin(kLeft), prevRow);
    addRows(left, prevRow, prevRow + 1);
    std::tie(prev_, prevKey_) = linkText(left, style.PrevText, "prevText", "前ページの表示内容");
    addRows(left, prevRow + 1, prevRow + 2);
    std::tie(next_, nextKey_) = linkText(left, style.NextText, "nextText", "次ページの表示内容");
    left->setRowStretch(left->rowCount(), 1);

    QGridLayout* middle = form_->exifTokens;
    addRows(middle, std::begin(kExif), std::end(kExif));
    middle->setRowStretch(middle->rowCount(), 1);

    QGridLayout* right = form_->listTokens;
    addRows(right, std::begin(kListOnly), std::end(kListOnly));
    auto* repeat = new QLabel(Utf8("エントリ用HTML繰り返し区間\n　（これは置換対象ではない）"));
    right->addWidget(repeat, right->rowCount(), 0, 1, 2);
    for (auto [caption, marker, name] : {std::tuple{"開始:", kRepeatStart, "繰り返し区間の開始"},
                                         std::tuple{"終了:", kRepeatEnd, "繰り返し区間の終了"}}) {
        auto* field = ReadOnlyField(QString::fromLatin1(marker.data(), marker.size()), Utf8(name));
        auto* label = new QLabel(Utf8(caption));
        label->setBuddy(field);
        int row = right->rowCount();
        right->addWidget(label, row, 0, Qt::AlignRight);
        right->addWidget(field, row, 1);
    }
    right->setRowStretch(right->rowCount(), 1);

    // Assistive technology reads the first column before what stands beside and under it.
    for (QWidget* w : std::initializer_list<QWidget*>{form_->exif, form_->listOnly, form_->buttons,
                                                      form_->notice, form_->hint}) {
        w->raise();
    }
    AddOkCancel(*this, *form_->buttons, HalfWidthCancelCaption());
    help_ = std::make_unique<DialogHelp>(*this, session_, kHelpTemplateStrings, *form_->buttons);
}

ReplacementStringsDialog::~ReplacementStringsDialog() = default;

void ReplacementStringsDialog::accept() {
    std::array<bool, kTokenCount> switches{};
    for (int t = 0; t < kTokenCount; ++t) switches[t] = switches_[t]->isChecked();
    StoreTemplateOptions(session_.Core().album, switches, binder_.Stored(prevKey_),
                         binder_.Stored(nextKey_));
    QDialog::accept();
}

void ReplacementStringsDialog::ShowHint(const QString& text) { form_->hint->setText(text); }

}  // namespace mirulane::ui
