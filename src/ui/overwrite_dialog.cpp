#include "ui/overwrite_dialog.h"

#include <QDateTime>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace mirulane::ui {
namespace {

QFrame* Separator() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

OverwriteDialog::OverwriteDialog(QWidget* parent, const QString& folder, const QString& file,
                                 const QString& size, const QString& created)
    : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("ファイルの上書き確認"));
    auto* layout = new QVBoxLayout(this);

    auto* question = new QHBoxLayout;
    auto* icon = new QLabel;
    int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                        .pixmap(iconSize, iconSize));
    question->addWidget(icon, 0, Qt::AlignTop);
    auto* text = new QLabel(QString::fromUtf8("ファイルが既に存在します。\n上書きしますか？"));
    text->setTextFormat(Qt::PlainText);
    question->addWidget(text, 1);
    layout->addLayout(question);
    layout->addWidget(Separator());

    auto* form = new QFormLayout;
    const std::pair<const char*, const QString*> fields[] = {
        {"場所:", &folder}, {"ファイル:", &file}, {"サイズ:", &size}, {"作成日時:", &created}};
    for (const auto& [label, value] : fields) {
        auto* edit = new QLineEdit(*value);
        edit->setReadOnly(true);
        edit->setMinimumWidth(360);
        QString name = QString::fromUtf8(label);
        edit->setAccessibleName(name.chopped(1));
        form->addRow(name, edit);
    }
    layout->addLayout(form);
    layout->addWidget(Separator());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* yes = nullptr;
    const std::pair<const char*, int> choices[] = {
        {"はい(&Y)", Yes}, {"すべて上書き(&A)", All}, {"いいえ(&N)", No}, {"キャンセル", Cancel}};
    for (const auto& [caption, result] : choices) {
        auto* button = new QPushButton(QString::fromUtf8(caption));
        button->setAutoDefault(false);
        if (result == Yes) {
            button->setDefault(true);
            yes = button;
        }
        connect(button, &QPushButton::clicked, this, [this, result = result] { done(result); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    // The answer Enter gives has the focus, not the first read-only field.
    yes->setFocus();
}

QString SizeText(qint64 bytes) {
    return QLocale(QLocale::English).toString(bytes) + QString::fromUtf8(" バイト");
}

QString CreationTimeText(qint64 secondsSinceEpoch) {
    QDateTime t = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch);
    return QString::asprintf("%4d年 %2d月 %2d日 %2d:%02d:%02d", t.date().year(), t.date().month(),
                             t.date().day(), t.time().hour(), t.time().minute(), t.time().second());
}

}  // namespace mirulane::ui
