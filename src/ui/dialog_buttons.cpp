#include "ui/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace mirulane::ui {

QPushButton* AddOkCancelHelp(QDialog& dialog, QBoxLayout& row, const QString& cancelCaption) {
    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* cancel = new QPushButton(cancelCaption);
    auto* help = new QPushButton(QString::fromUtf8("ヘルプ"));
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    help->setObjectName(QStringLiteral("help"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    for (QPushButton* b : {ok, cancel, help}) row.addWidget(b);
    return help;
}

}  // namespace mirulane::ui
