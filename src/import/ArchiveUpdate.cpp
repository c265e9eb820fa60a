#include "import/ArchiveUpdate.h"

#include "archive/DrawArchive.h"
#include "evaluation/Evaluation.h"
#include "generator/Session.h"
#include "import/ResultPage.h"
#include "platform/AppError.h"
#include "platform/Browser.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/Ui.h"

namespace {

const QString DatePicker = QStringLiteral("DateTimePicker1");
const QString StopButton = QStringLiteral("SpeedButton8");
const QString Memo = QStringLiteral("Memo1");
const QString UpdateButtons[] = {QStringLiteral("BitBtn1"), QStringLiteral("SpeedButton10")};

// The earliest date the date picker allows.
const QDate EarliestDate(1955, 10, 9);

// The buttons of a running update, set up for the run and put back however it ends; the archive is
// closed first.
class RunningUpdate {
public:
    RunningUpdate(Controls& controls, DrawArchive::Appender& archive)
        : controls_(controls), archive_(archive) {}
    ~RunningUpdate() {
        archive_.close();
        for (const QString& button : UpdateButtons) controls_.setEnabled(button, true);
        controls_.setVisible(StopButton, false);
    }
    RunningUpdate(const RunningUpdate&) = delete;
    RunningUpdate& operator=(const RunningUpdate&) = delete;

private:
    Controls& controls_;
    DrawArchive::Appender& archive_;
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

DrawRecord recordOf(const QDate& date, const std::array<int, 7>& numbers, quint8 sz) {
    DrawRecord record;
    record.datum = dates::toDayNumber(date);
    for (std::size_t i = 0; i < 6; ++i) record.zahl[i] = static_cast<quint8>(numbers[i]);
    record.zz = static_cast<quint8>(numbers[6]);
    record.sz = sz;
    return record;
}

} // namespace

QDate nextRequestDate(const QDate& day) {
    return day.addDays(dates::weekday(day) == dates::Wednesday ? 3 : 4);
}

void requestUpdateStop(Controls& controls) {
    controls.setVisible(StopButton, false);
}

void updateArchive(Session& session, StatisticsBrowser& browser) {
    Controls& controls = session.services.controls;
    Ui& ui = session.services.ui;
    ui.showPage(QStringLiteral("TabSheet4"));
    for (const QString& button : UpdateButtons) controls.setEnabled(button, false);
    controls.setVisible(StopButton, true);

    DrawArchive::Appender archive;
    RunningUpdate running(controls, archive);
    MemoBuffer memo(controls);
    // A read-only or locked archive is reported, so that no run pretends to store what it cannot.
    archive = DrawArchive(session.state.programDir).openForAppend();
    const quint8 sz = archive.last() ? archive.last()->sz : 0;
    if (archive.last() && archive.last()->datum > 0)
        controls.setDate(DatePicker, dates::fromDayNumber(archive.last()->datum));
    if (!controls.date(DatePicker).isValid()) controls.setDate(DatePicker, EarliestDate);
    session.state.referenceDate = dates::roundHalfEven(dates::toDayNumber(controls.date(DatePicker)));

    const QDate today = session.services.clock.today();
    while (today >= controls.date(DatePicker) && controls.visible(StopButton)) {
        const QDate day = nextRequestDate(controls.date(DatePicker));
        controls.setDate(DatePicker, day);
        const QString filterDate = day.toString(QStringLiteral("dd.MM.yyyy"));
        browser.setFilterDateText(filterDate);
        browser.start();
        // The first display ends when the form has been sent, the second when the result has loaded.
        browser.showModal();
        browser.showModal();

        const QDate recordDate = controls.date(DatePicker);
        controls.setText(Memo, browser.bodyHtml());
        if (!controls.text(Memo).contains(filterDate)) continue;
        controls.setVisible(Memo, true);
        ui.repaintWindow();
        const resultpage::PageDraws page = resultpage::readDraws(resultpage::splitLines(controls.text(Memo)));
        for (const auto& numbers : page.draws) archive.append(recordOf(recordDate, numbers, sz));
        if (!page.error.isEmpty()) throw AppError(page.error);
    }
    archive.close();
    // The buttons are back before the evaluation runs.
    for (const QString& button : UpdateButtons) controls.setEnabled(button, true);
    controls.setVisible(StopButton, false);

    showDrawForDate(session);
    ui.showPage(QStringLiteral("TabSheet1"));
}

void rebuildArchive(Session& session, StatisticsBrowser& browser) {
    const DrawArchive archive(session.state.programDir);
    if (archive.exists()) archive.remove();
    browser.start();
    browser.showModal();
}
