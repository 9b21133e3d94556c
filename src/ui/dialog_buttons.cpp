#include "ui/dialog_buttons.h"

#include <QDialog>
#include <QPushButton>

namespace mirulane::ui {

QString OkCaption() { return QStringLiteral("OK"); }
QString CancelCaption() { return QString::fromUtf8("キャンセル"); }
QString HalfWidthCancelCaption() { return QString::fromUtf8("ｷｬﾝｾﾙ"); }
QString HelpCaption() { return QString::fromUtf8("ヘルプ"); }

QPushButton* AddButton(QDialogButtonBox& box, const QString& caption,
                       QDialogButtonBox::ButtonRole role, const char* objectName) {
    QPushButton* button = box.addButton(caption, role);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

void AddOkCancel(QDialog& dialog, QDialogButtonBox& box, const QString& cancelCaption) {
    QPushButton* ok = AddButton(box, OkCaption(), QDialogButtonBox::AcceptRole, "ok");
    AddButton(box, cancelCaption, QDialogButtonBox::RejectRole, "cancel");
    ok->setDefault(true);
    QObject::connect(&box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(&box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
}

}  // namespace mirulane::ui
