#include "import/ArchiveUpdate.h"

#include "archive/DrawArchive.h"
#include "evaluation/Evaluation.h"
#include "import/DrawList.h"
#include "import/LatestDraws.h"
#include "import/ResultPage.h"
#include "platform/AppError.h"
#include "platform/Browser.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/TextLines.h"
#include "platform/Ui.h"
#include "state/Session.h"

namespace {

const QString DatePicker = QStringLiteral("DateTimePicker1");
const QString StopButton = QStringLiteral("SpeedButton8");
const QString Memo = QStringLiteral("Memo1");
// Every button that writes the archive: greyed while a web run holds it (the archive refuses them anyway).
const QString ArchiveButtons[] = {QStringLiteral("BitBtn1"), QStringLiteral("SpeedButton10"),
                                  QStringLiteral("BitBtn2"), QStringLiteral("BitBtn9"),
                                  QStringLiteral("BitBtn8"), QStringLiteral("BitBtn6")};

// The buttons of a running update: greyed, with the stop button shown, until the run ends; put back
// however it ends. The archive closes at the normal end; after a failure its appender closes it. A run that
// does not end with the newest draw on display puts the date field back on the draw that is.
class RunningUpdate {
public:
    RunningUpdate(Session& session, DrawArchive::Appender& archive)
        : controls_(session.services.controls), archive_(archive),
          shown_(session.state.currentDraw.date > 0 ? dates::fromDayNumber(session.state.currentDraw.date)
                                                    : controls_.date(DatePicker)) {
        for (const QString& button : ArchiveButtons) controls_.setEnabled(button, false);
        controls_.setVisible(StopButton, true);
    }
    ~RunningUpdate() {
        restoreButtons();
        if (!newestShown_) controls_.setDate(DatePicker, shown_);
    }
    // The buttons are back before the evaluation that ends a run.
    void finish() {
        restoreButtons();
        archive_.close();
    }
    // The newest draw comes on display: the date field goes with it.
    void finishWithNewest() {
        finish();
        newestShown_ = true;
    }
    RunningUpdate(const RunningUpdate&) = delete;
    RunningUpdate& operator=(const RunningUpdate&) = delete;

private:
    void restoreButtons() {
        for (const QString& button : ArchiveButtons) controls_.setEnabled(button, true);
        controls_.setVisible(StopButton, false);
    }

    Controls& controls_;
    DrawArchive::Appender& archive_;
    QDate shown_;
    bool newestShown_ = false;
};

// The memo is a scratch buffer of one run: emptied and hidden however the run ends.
class MemoBuffer {
public:
    explicit MemoBuffer(Controls& controls) : controls_(controls) {}
    ~MemoBuffer() {
        controls_.setVisible(Memo, false);
        controls_.setText(Memo, QString());
    }
    MemoBuffer(const MemoBuffer&) = delete;
    MemoBuffer& operator=(const MemoBuffer&) = delete;

private:
    Controls& controls_;
};

// The result page's seven numbers: the six, then the ZZ.
Draw drawOf(const QDate& date, const std::array<int, 7>& numbers, int superNumber) {
    Draw draw;
    draw.date = dates::toDayNumber(date);
    draw.numbers = {numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
    draw.extras = {numbers.back()};
    draw.superNumber = superNumber;
    return draw;
}

enum class RunEnd { Today, Stopped };

// Asks the statistics page for every draw date after `after` up to today and appends the draws found. The
// run keeps its dates itself; DateTimePicker1 only shows the one asked for. Ends early when SpeedButton8 is
// hidden (after the date in progress) or the user closes the browser window; a page that does not load in
// time, or whose body cannot be read, ends the run with an AppError, so that no date is passed over as if
// it had no draw.
RunEnd readDrawDates(Session& session, StatisticsBrowser& browser, DrawArchive::Appender& archive,
                     const QDate& after, int sz) {
    Controls& controls = session.services.controls;
    const QDate today = session.services.clock.today();
    session.state.referenceDate = dates::toDayNumber(after);
    QDate day = after;
    // Whatever the field holds when the run ends, the newest draw comes on display from the run's date.
    const auto end = [&](RunEnd how) {
        controls.setDate(DatePicker, day);
        return how;
    };
    while (today >= day) {
        if (!controls.visible(StopButton)) return end(RunEnd::Stopped);
        day = nextRequestDate(day);
        controls.setDate(DatePicker, day);
        const QString filterDate = dates::formatFixedDate(day);
        browser.setFilterDateText(filterDate);
        browser.start();
        // The first display ends when the form has been sent, the second when the result has loaded.
        for (int display = 0; display < 2; ++display) {
            switch (browser.showModal()) {
            case StatisticsBrowser::Shown::Loaded:
                break;
            case StatisticsBrowser::Shown::Closed:
                requestUpdateStop(controls);
                return end(RunEnd::Stopped);
            case StatisticsBrowser::Shown::Failed:
                throw AppError(browser.failure() + QStringLiteral(" Das Einlesen wurde beendet."));
            case StatisticsBrowser::Shown::TimedOut:
                throw AppError(
                    QStringLiteral("Die Seite für den %1 wurde nicht innerhalb von %2 Sekunden geladen. "
                                   "Das Einlesen wurde beendet.")
                        .arg(filterDate)
                        .arg(StatisticsBrowser::PageLoadLimit.count()));
            }
        }
        const std::optional<QString> body = browser.bodyHtml();
        if (!body || body->trimmed().isEmpty())
            throw AppError(QStringLiteral("Die Ergebnisseite für den %1 konnte nicht gelesen werden. "
                                          "Das Einlesen wurde beendet.")
                               .arg(filterDate));
        controls.setText(Memo, *body);
        if (!controls.text(Memo).contains(filterDate)) continue;
        controls.setVisible(Memo, true);
        session.services.ui.repaintWindow();
        const resultpage::PageDraws page = resultpage::readDraws(textlines::split(controls.text(Memo)));
        for (const auto& numbers : page.draws) archive.append(drawOf(day, numbers, sz));
        if (!page.error.isEmpty()) throw AppError(page.error);
    }
    return end(RunEnd::Today);
}

// The first date to ask after: the picker's; a picker without a date starts at the earliest.
QDate startDate(Controls& controls) {
    if (!controls.date(DatePicker).isValid()) controls.setDate(DatePicker, dates::earliestDate());
    return controls.date(DatePicker);
}

} // namespace

// The operator's statistics page of "6 aus 45" is asked day by day in its own rhythm.
QDate nextRequestDate(const QDate& day) {
    return day.addDays(dates::weekday(day) == dates::Wednesday ? 3 : 4);
}

void updateDraws(Session& session, StatisticsBrowser& browser, HttpClient& http,
                 const std::function<void()>& showNewest) {
    if (session.game().webPages)
        updateArchive(session, browser);
    else
        drawlist::update(session, http, showNewest);
}

void requestUpdateStop(Controls& controls) {
    controls.setVisible(StopButton, false);
}

void updateArchive(Session& session, StatisticsBrowser& browser) {
    const ArchiveLease lease = session.state.archiveGate.take();
    Controls& controls = session.services.controls;
    // The browser's requests go through the proxy of page "Internet-Optionen" as the others do.
    useApplicationProxy(requestThroughProxy(controls, QString()));
    Ui& ui = session.services.ui;
    ui.showPage(QStringLiteral("TabSheet4"));
    DrawArchive::Appender archive;
    RunningUpdate running(session, archive);
    MemoBuffer memo(controls);
    // A read-only or locked archive is reported, so that no run pretends to store what it cannot.
    archive = session.archive().openForAppend(lease);
    const int sz = archive.last() ? archive.last()->superNumber : 0;
    if (archive.last() && archive.last()->date > 0)
        controls.setDate(DatePicker, dates::fromDayNumber(archive.last()->date));
    readDrawDates(session, browser, archive, startDate(controls), sz);
    running.finishWithNewest();
    showDrawForDate(session);
    ui.showPage(QStringLiteral("TabSheet1"));
}

void rebuildArchive(Session& session, StatisticsBrowser& browser) {
    // Taken before the question: while another operation runs, nothing is asked and nothing changes.
    const ArchiveLease lease = session.state.archiveGate.take();
    Controls& controls = session.services.controls;
    Ui& ui = session.services.ui;
    useApplicationProxy(requestThroughProxy(controls, QString()));
    const QDate start = startDate(controls);
    const QString from = dates::formatFixedDate(start);
    if (!ui.question(
            QStringLiteral("Soll die Datenbank gelöscht und ab dem %1 neu eingelesen werden?").arg(from),
            QString()))
        return;
    const QString unchanged = QStringLiteral("Die bisherige Datenbank bleibt unverändert.");
    ui.showPage(QStringLiteral("TabSheet4"));
    // Built aside and put in place only when the run has reached today with a believable result: the old
    // archive stays byte for byte as it was until then, and when the run is stopped, fails or reads less.
    const DrawArchive archive = session.archive();
    DrawArchive::Appender replacement;
    RunningUpdate running(session, replacement);
    MemoBuffer memo(controls);
    try {
        replacement = archive.openReplacement(lease);
        if (readDrawDates(session, browser, replacement, start, 0) == RunEnd::Stopped) {
            running.finish();
            ui.message(QStringLiteral("Das Neuanlegen der Datenbank wurde abgebrochen. ") + unchanged);
            return;
        }
        // A changed page, or an error page sent as a success, reads no draw at all: that never replaces
        // an archive.
        const int read = replacement.appended();
        if (read == 0) throw AppError(QStringLiteral("Das Neueinlesen hat keine Ziehungen ergeben."));
        const double startDay = dates::toDayNumber(start);
        int stored = 0;
        if (archive.exists())
            for (const Draw& r : archive.scan()) stored += r.date > startDay ? 1 : 0;
        if (read < stored &&
            !ui.question(
                QStringLiteral("Das Neueinlesen hat %1 ergeben; die bisherige Datenbank hat ab dem %2 %3. "
                               "Soll sie trotzdem ersetzt werden?")
                    .arg(counted(read, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen")), from,
                         counted(stored, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen"))),
                QString(), Ui::Preset::No)) {
            running.finish();
            ui.message(unchanged);
            return;
        }
        archive.commitReplacement(replacement);
    } catch (const AppError& e) {
        if (replacement.committed()) throw;
        throw AppError(e.message() + QStringLiteral("\n\n") + unchanged);
    }
    running.finishWithNewest();
    showDrawForDate(session);
    ui.showPage(QStringLiteral("TabSheet1"));
}
