#pragma once

#include <QString>
#include <optional>

// The application's title, the caption of its message boxes.
inline constexpr const char* AppTitle = "Tolbrands Lotto";

// What the logic needs of the window: status panels, repaint, pages, messages, input and the busy cursor.
// The main window implements it; tests hand in a fake.
class Ui {
public:
    virtual ~Ui() = default;

    // Panel 0 (150 px) and panel 1 (50 px, stretched) of StatusBar1.
    virtual void setStatus(int panel, const QString& text) = 0;
    virtual QString status(int panel) const = 0;
    // Repaints are throttled by the window (at most about every 50 ms), so long work may call them freely.
    virtual void repaintStatus() = 0;
    virtual void repaintWindow() = 0;

    // Switches PageControl1 to the page of that objectName ("TabSheet1" .. "TabSheet6").
    virtual void showPage(const QString& pageName) = 0;

    // A modal message with an OK button; an empty caption means the application's title. Details, when
    // given, are shown on request in a scrollable field of the box.
    virtual void message(const QString& text, const QString& caption = QString(),
                         const QString& details = QString()) = 0;
    // A message with OK and a second button "Abbrechen" for the user who has seen enough: false for that.
    virtual bool messageOrStop(const QString& text, const QString& caption = QString()) = 0;
    // The standard error message box: critical, caption "Tolbrands Lotto".
    virtual void error(const QString& text) = 0;
    // A one-line input box; nothing when it is cancelled.
    virtual std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                            const QString& preset) = 0;
    // The button a question offers first, which Return or Enter answers.
    enum class Preset { Yes, No };
    // A yes/no question; true for yes.
    virtual bool question(const QString& text, const QString& caption, Preset preset = Preset::Yes) = 0;

    // The hourglass cursor; calls nest. Use BusyCursor rather than calling these directly.
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;

    // An "Abbrechen" for a wait the user may end (a download), shown while offered; whether it was clicked
    // since. Use CancelOffer rather than calling these directly.
    virtual void offerCancel(bool offered) = 0;
    virtual bool cancelRequested() const = 0;
};

// Shows the hourglass for its lifetime, however the operation ends.
class BusyCursor {
public:
    explicit BusyCursor(Ui& ui) : ui_(ui) { ui_.beginBusy(); }
    ~BusyCursor() { ui_.endBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Ui& ui_;
};

// Offers "Abbrechen" for its lifetime, however the wait ends.
class CancelOffer {
public:
    explicit CancelOffer(Ui& ui) : ui_(ui) { ui_.offerCancel(true); }
    ~CancelOffer() { ui_.offerCancel(false); }
    CancelOffer(const CancelOffer&) = delete;
    CancelOffer& operator=(const CancelOffer&) = delete;
    bool requested() const { return ui_.cancelRequested(); }

private:
    Ui& ui_;
};

// A status text for its lifetime: the panel is emptied however the work ends.
class StatusWhile {
public:
    StatusWhile(Ui& ui, int panel, const QString& text) : ui_(ui), panel_(panel) {
        ui_.setStatus(panel_, text);
    }
    ~StatusWhile() { ui_.setStatus(panel_, QString()); }
    StatusWhile(const StatusWhile&) = delete;
    StatusWhile& operator=(const StatusWhile&) = delete;

private:
    Ui& ui_;
    int panel_;
};
