#include "gui/StatisticsBrowserWindow.h"

#include "gui/BrowserView.h"

#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The code with which a display ends when the page failed; Accepted and Rejected are the others.
constexpr int FailedCode = 3;
} // namespace

StatisticsBrowserWindow::StatisticsBrowserWindow(const QUrl& statisticsPage, QWidget* parent)
    : QDialog(parent), statisticsPage_(statisticsPage) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Rudazevovor werden eingelesen"));
    resize(870, 500);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    // The two operations as the window's own (hidden) buttons.
    startButton_ = new QPushButton(QStringLiteral("Button1"), this);
    startButton_->setObjectName(QStringLiteral("Button1"));
    startButton_->hide();
    connect(startButton_, &QPushButton::clicked, this, &StatisticsBrowserWindow::start);
    submitButton_ = new QPushButton(QStringLiteral("Button2"), this);
    submitButton_->setObjectName(QStringLiteral("Button2"));
    submitButton_->hide();
    connect(submitButton_, &QPushButton::clicked, this, &StatisticsBrowserWindow::fillAndSubmit);
}

StatisticsBrowserWindow::~StatisticsBrowserWindow() = default;

BrowserView* StatisticsBrowserWindow::ensureBrowser() {
    if (browser_) return browser_;
    browser_ = new BrowserView(this);
    browser_->setObjectName(QStringLiteral("WebBrowser11"));
    browser_->setAccessibleName(QStringLiteral("Statistikseite des Lottobetreibers"));
    layout()->addWidget(browser_);
    connect(browser_, &BrowserView::navigateComplete, this, [this] { navigated_ = true; });
    connect(browser_, &BrowserView::documentComplete, this, &StatisticsBrowserWindow::documentComplete);
    // No network, an unknown host: the run ends at once with the reason, not at the time limit.
    connect(browser_, &BrowserView::loadFailed, this, [this](const QString& reason) {
        // Before the new navigation has started, a failure is one of the page left behind.
        if (!navigated_) return;
        fail(QStringLiteral("Die Seite für den %1 konnte nicht geladen werden. %2")
                 .arg(filterDateText_, reason));
    });
    return browser_;
}

void StatisticsBrowserWindow::start() {
    BrowserView* view = ensureBrowser();
    view->stop(); // whatever still loads from before
    navigated_ = false;
    failure_.clear();
    submitPending_ = true;
    submitRunning_ = false;
    view->navigate(statisticsPage_);
}

StatisticsBrowser::Shown StatisticsBrowserWindow::showModal() {
    // Offline, a page never completes: the wait ends at the limit instead of with the user.
    constexpr int TimedOutCode = 2;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this, [this] {
        if (browser_) browser_->stop();
        done(TimedOutCode);
    });
    // A page that failed while the window was not shown ends this display at once.
    if (!failure_.isEmpty()) return Shown::Failed;
    limit.start(pageLoadLimit_);
    const int result = exec();
    if (result == QDialog::Accepted) return Shown::Loaded;
    if (result == FailedCode) return Shown::Failed;
    return result == TimedOutCode ? Shown::TimedOut : Shown::Closed;
}

void StatisticsBrowserWindow::fail(const QString& reason) {
    failure_ = reason;
    submitPending_ = false;
    submitRunning_ = false;
    if (isVisible()) done(FailedCode);
}

std::optional<QString> StatisticsBrowserWindow::bodyHtml() {
    if (!browser_) return std::nullopt;
    return browser_->bodyHtml();
}

void StatisticsBrowserWindow::fillAndSubmit() {
    submitPending_ = false;
    submitRunning_ = true;
    QPointer<StatisticsBrowserWindow> self(this);
    ensureBrowser()->fillAndSubmit(QString::fromLatin1(FormName), QString::fromLatin1(FieldName),
                                   filterDateText_, [self](const QString& error) {
                                       if (!self) return;
                                       self->submitRunning_ = false;
                                       if (!error.isEmpty()) {
                                           // One message, from the run that ends with it.
                                           self->fail(error);
                                           return;
                                       }
                                       if (self->navigated_) self->done(QDialog::Accepted);
                                   });
}

void StatisticsBrowserWindow::documentComplete() {
    if (submitPending_) {
        // A page of the run before - one the user left by closing the window - may finish after the new
        // start; it is not the search page.
        if (!navigated_) return;
        // Closing waits for the answer of the form, which may be that there is none.
        fillAndSubmit();
        return;
    }
    if (submitRunning_) return;
    if (navigated_) done(QDialog::Accepted);
}
