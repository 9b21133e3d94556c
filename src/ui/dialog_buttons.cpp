#include "ui/dialog_buttons.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>

namespace mirulane::ui {
namespace {

// The product's buttons show their captions alone. Where the platform puts icons on the
// buttons of a button box, a button in one reserves room for an icon it will not get and
// grows wider than the same button in a row of its own; this style says there are none.
class CaptionOnlyButtons : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

QStyle* ButtonBoxStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new CaptionOnlyButtons;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

}  // namespace

QString OkCaption() { return QStringLiteral("OK"); }
QString CancelCaption() { return QString::fromUtf8("キャンセル"); }
QString HalfWidthCancelCaption() { return QString::fromUtf8("ｷｬﾝｾﾙ"); }
QString HelpCaption() { return QString::fromUtf8("ヘルプ"); }

QPushButton* AddButton(QDialogButtonBox& box, const QString& caption,
                       QDialogButtonBox::ButtonRole role, const char* objectName) {
    QPushButton* button = box.addButton(caption, role);
    button->setStyle(ButtonBoxStyle());
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
