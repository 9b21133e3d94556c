#include "ui/help_window.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace mirulane::ui {
namespace {

QString HelpTitle() { return Utf8("Mirulane ヘルプ"); }

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(HelpTitle());
    if (!parent) setAttribute(Qt::WA_DeleteOnClose);

    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("helpPage"));
    browser_->setAccessibleName(Utf8("ヘルプのページ"));
    // Pages of the web stay the browser's (if one starts for them after all).
    browser_->setOpenExternalLinks(true);

    auto* back = new QPushButton(Utf8("戻る(&B)"));
    back->setObjectName(QStringLiteral("helpBack"));
    auto* forward = new QPushButton(Utf8("進む(&F)"));
    forward->setObjectName(QStringLiteral("helpForward"));
    auto* contents = new QPushButton(Utf8("目次(&C)"));
    contents->setObjectName(QStringLiteral("helpContents"));
    for (QPushButton* b : {back, forward, contents}) b->setAutoDefault(false);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(contents, &QPushButton::clicked, this, [this] {
        if (!contents_.isEmpty()) browser_->setSource(contents_);
    });
    // The window is named after the page it shows.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        QString page = browser_->documentTitle();
        setWindowTitle(page.isEmpty() || page == HelpTitle() ? HelpTitle()
                                                             : page + " - " + HelpTitle());
    });
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(760, 560);
}

void HelpWindow::ShowPage(const QUrl& page) {
    contents_ = page.resolved(QUrl(QStringLiteral("index.html")));
    browser_->setSource(page);
}

HelpWindow* ShowHelpWindow(QWidget* owner, const QUrl& page) {
    QWidget* window = owner ? owner->window() : nullptr;
    HelpWindow* help =
        window ? window->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!help) help = new HelpWindow(window);
    help->ShowPage(page);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

}  // namespace mirulane::ui
