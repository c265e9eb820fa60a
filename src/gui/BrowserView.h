#pragma once

#include <QString>
#include <QWebEngineView>
#include <functional>
#include <optional>

// The web browser control: a QWebEngineView that reports navigation complete (a navigation has
// started to show its document) and document complete (the document has finished loading), fills and
// submits a form through the page's DOM and reads the body's inner HTML.
class BrowserView : public QWebEngineView {
    Q_OBJECT
public:
    explicit BrowserView(QWidget* parent = nullptr);

    void navigate(const QUrl& url);

    // Sets the value of the first element named field of the first form named form and submits the
    // form. done receives an empty text on success, else the German message of what was missing.
    void fillAndSubmit(const QString& form, const QString& field, const QString& value,
                       std::function<void(const QString& error)> done);

    // The body's inner HTML of the document shown; waits for the page at most timeoutMs (events run).
    // Nothing when the page did not answer in time.
    std::optional<QString> bodyHtml(int timeoutMs = 10000);

signals:
    void navigateComplete();
    void documentComplete();
    // A navigation that could not load its page (no network, an unknown host), with the German reason.
    void loadFailed(const QString& reason);

protected:
    // The engine draws the page into a widget of its own, made on the first page, which takes the keyboard
    // focus: it gets the view's accessible name for screen readers.
    bool event(QEvent* event) override;
};

// Call before the QApplication is created. The browser engine cannot start with its sandbox as root,
// so only then is the sandbox switched off (and the GPU, which a root session rarely has); everywhere
// else the sandbox stays on.
void prepareBrowserEngine();
