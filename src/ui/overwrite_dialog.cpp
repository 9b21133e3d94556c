#include "ui/overwrite_dialog.h"

#include <QDateTime>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <tuple>

#include "ui/dialog_buttons.h"
#include "ui_overwrite_dialog.h"

namespace mirulane::ui {
OverwriteDialog::OverwriteDialog(QWidget* parent, const QString& folder, const QString& file,
                                 const QString& size, const QString& created)
    : QDialog(parent) {
    Ui::OverwriteDialog form;
    form.setupUi(this);
    int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    form.icon->setPixmap(style()
                             ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                             .pixmap(iconSize, iconSize));
    form.folder->setText(folder);
    form.file->setText(file);
    form.size->setText(size);
    form.created->setText(created);

    QPushButton* yes = nullptr;
    const std::tuple<const char*, int, QDialogButtonBox::ButtonRole, const char*> choices[] = {
        {"はい(&Y)", Yes, QDialogButtonBox::YesRole, "yes"},
        {"すべて上書き(&A)", All, QDialogButtonBox::AcceptRole, "all"},
        {"いいえ(&N)", No, QDialogButtonBox::NoRole, "no"},
        {nullptr, Cancel, QDialogButtonBox::RejectRole, "cancel"}};
    for (const auto& [caption, result, role, name] : choices) {
        const QString text = caption ? QString::fromUtf8(caption) : CancelCaption();
        QPushButton* button = AddButton(*form.buttons, text, role, name);
        button->setAutoDefault(false);
        if (result == Yes) {
            button->setDefault(true);
            yes = button;
        }
        connect(button, &QPushButton::clicked, this, [this, result = result] { done(result); });
    }
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
