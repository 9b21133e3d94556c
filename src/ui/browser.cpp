#include "ui/browser.h"

#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "ui/chooser.h"

namespace mirulane::ui {

void OpenInBrowser(Chooser& chooser, QWidget* parent, const QUrl& url) {
    // The launcher may give up after the asking window has closed: the warning then stands
    // alone.
    QPointer<QWidget> owner(parent);
    const QString page =
        url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    chooser.OpenUrl(url, [&chooser, owner, page] {
        chooser.Message(owner.data(), QMessageBox::Warning, QStringLiteral("Mirulane"),
                        QString::fromUtf8("ブラウザを起動できませんでした。"
                                          "次のページをブラウザで開いてください。\n") +
                            page,
                        QMessageBox::Ok);
    });
}

}  // namespace mirulane::ui
