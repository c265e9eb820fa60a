#pragma once

#include "platform/Browser.h"

#include <QDialog>
#include <QUrl>

class BrowserView;
class QPushButton;

// TForm6: the window with the embedded browser that queries the operator's statistics page for one
// draw date. It closes itself whenever a page has finished loading after a navigation, so the caller
// waits for each page by showing it modally; a page that does not load in time, cannot be loaded at all
// or has no search form closes it as well, the last two with the reason in failure(). The browser
// engine is created on first use, so start-up never waits for it.
class StatisticsBrowserWindow : public QDialog, public StatisticsBrowser {
    Q_OBJECT
public:
    static constexpr const char* FormName = "StatisticForm";
    static constexpr const char* FieldName = "filterDate";

    explicit StatisticsBrowserWindow(const QUrl& statisticsPage, QWidget* parent = nullptr);
    ~StatisticsBrowserWindow() override;

    void setFilterDateText(const QString& text) override { filterDateText_ = text; }
    QString filterDateText() const override { return filterDateText_; }
    // Button1Click: navigate to the statistics page; the form is sent when it has loaded.
    void start() override;
    // Closed is the user's close button or Escape; TimedOut after the page load limit.
    Shown showModal() override;
    QString failure() const override { return failure_; }
    std::optional<QString> bodyHtml() override;
    // The page load limit (tests shorten it).
    void setPageLoadLimit(std::chrono::milliseconds limit) { pageLoadLimit_ = limit; }

    // Button2Click: fill the date into the search form and send it.
    void fillAndSubmit();

    void setStatisticsPage(const QUrl& address) { statisticsPage_ = address; }
    bool submitPending() const { return submitPending_; }
    bool navigated() const { return navigated_; }
    // Null until the browser is first used.
    BrowserView* browser() const { return browser_; }

private:
    BrowserView* ensureBrowser();
    void documentComplete();
    void fail(const QString& reason);

    QString failure_;
    QUrl statisticsPage_;
    BrowserView* browser_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* submitButton_ = nullptr;
    QString filterDateText_;
    std::chrono::milliseconds pageLoadLimit_ = PageLoadLimit;
    bool submitPending_ = false;
    bool navigated_ = false;
    // A form sent and not yet answered: the window must not close before it is known to have worked.
    bool submitRunning_ = false;
};
