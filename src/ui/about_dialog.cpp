#include "ui/about_dialog.h"

#include <QIcon>

#include "app/version.h"
#include "ui_about_dialog.h"

namespace mirulane::ui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    Ui::AboutDialog form;
    form.setupUi(this);
    form.icon->setPixmap(QIcon(QStringLiteral(":/icons/mirulane.svg")).pixmap(48, 48));
    std::string_view version = ProgramVersion();
    form.version->setText(QStringLiteral("Version ") +
                          QString::fromLatin1(version.data(), version.size()));
}

}  // namespace mirulane::ui
