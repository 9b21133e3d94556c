#include "ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>

#include "app/version.h"

namespace mirulane::ui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("バージョン情報"));
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/mirulane.svg")).pixmap(48, 48));
    icon->setAccessibleName(QStringLiteral("Mirulane"));
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("Mirulane")), 0, 1);
    std::string_view version = ProgramVersion();
    layout->addWidget(new QLabel(QStringLiteral("Version ") +
                                 QString::fromLatin1(version.data(), version.size())),
                      1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(16);
}

}  // namespace mirulane::ui
