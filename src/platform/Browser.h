#pragma once

#include <QString>
#include <chrono>
#include <optional>

// The statistics page browser as the archive update drives it: set the date, start, wait for each page
// by showing the window modally, read the body of the page shown. The window implements it; tests
// hand in a fake.
class StatisticsBrowser {
public:
    // How long one page may take to load before the run gives up on it.
    static constexpr std::chrono::seconds PageLoadLimit{60};
    // Why a modal display ended.
    enum class Shown {
        Loaded,   // the next page has loaded (or the form has been sent)
        Closed,   // the user closed the window
        TimedOut, // the page did not load within the time limit
        Failed,   // the page could not be loaded, or has no search form: failure() says why
    };

    virtual ~StatisticsBrowser() = default;
    // The date to query, "dd.mm.yyyy".
    virtual void setFilterDateText(const QString& text) = 0;
    virtual QString filterDateText() const = 0;
    // Loads the search page; the form is filled and sent once it has loaded.
    virtual void start() = 0;
    // Returns when the window closes.
    virtual Shown showModal() = 0;
    // Why the last display ended with Failed, in German.
    virtual QString failure() const = 0;
    // The inner HTML of the body of the document shown; nothing when it could not be read.
    virtual std::optional<QString> bodyHtml() = 0;
};
