#include "ui/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include "ui/chooser.h"
#include "ui/help_window.h"

namespace mirulane::ui {

QString HelpTopicFile(int context) {
    switch (context) {
        case kHelpFileInfo:
        case kHelpBatchEdit:
            return QStringLiteral("040500.html");
        case kHelpThumbnails:
            return QStringLiteral("040400.html");
        case kHelpExifReacquire:
            return QStringLiteral("070900.html");
        case kHelpEnvFolders:
            return QStringLiteral("040101.html");
        case kHelpEnvListPane:
            return QStringLiteral("040102.html");
        case kHelpEnvPreviewPane:
            return QStringLiteral("040103.html");
        case kHelpEnvExif:
            return QStringLiteral("040104.html");
        case kHelpEnvAdvanced:
            return QStringLiteral("040105.html");
        case kHelpPageTop:
            return QStringLiteral("040301.html");
        case kHelpPageList:
            return QStringLiteral("040302.html");
        case kHelpPageDetail:
            return QStringLiteral("040303.html");
        case kHelpTemplateStrings:
            return QStringLiteral("060000.html");
        default:
            return QStringLiteral("index.html");
    }
}

QString HelpFolder(const QString& programFolder) {
    const QString candidates[] = {
        programFolder + QStringLiteral("/../share/mirulane/help"),
        QStringLiteral(MIRULANE_SOURCE_HELP_DIR),
    };
    for (const QString& folder : candidates) {
        if (QFileInfo::exists(folder + QStringLiteral("/index.html"))) {
            return QDir::cleanPath(folder);
        }
    }
    return {};
}

QUrl HelpUrlIn(const QString& folder, int context) {
    if (folder.isEmpty()) return {};
    // A topic page missing from an older or partial installation leaves the contents.
    for (const QString& name : {HelpTopicFile(context), QStringLiteral("index.html")}) {
        const QString page = folder + QLatin1Char('/') + name;
        if (QFileInfo::exists(page)) return QUrl::fromLocalFile(page);
    }
    return {};
}

QUrl HelpUrl(int context) {
    return HelpUrlIn(HelpFolder(QCoreApplication::applicationDirPath()), context);
}

void OpenHelpPage(Chooser& chooser, QWidget* parent, const QUrl& url) {
    if (url.isEmpty()) {
        // Help asked for always answers: without its pages the user learns where they belong.
        const QString expected = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                 QStringLiteral("/../share/mirulane/help"));
        chooser.Message(parent, QMessageBox::Warning, QStringLiteral("Mirulane"),
                        QString::fromUtf8("ヘルプのページが見つかりません。"
                                          "Mirulane を入れ直すと戻ります。\n"
                                          "ヘルプのページがあるはずのフォルダ:\n") +
                            expected,
                        QMessageBox::Ok);
        return;
    }
    // The launcher may give up after the asking window has closed: the page then opens in a
    // window of its own.
    QPointer<QWidget> owner(parent);
    chooser.OpenUrl(url, [owner, url] { ShowHelpWindow(owner.data(), url); });
}

void OpenHelp(Chooser& chooser, QWidget* parent, int context) {
    OpenHelpPage(chooser, parent, HelpUrl(context));
}

}  // namespace mirulane::ui
