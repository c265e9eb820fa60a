#include "evaluation/Evaluation.h"

#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "state/Session.h"
#include "stats/DrawFilter.h"

#include <optional>

namespace {

const QString Label29 = QStringLiteral("Label29");
const QString Label35 = QStringLiteral("Label35");
const QString Label13 = QStringLiteral("Label13");
const QString DateTimePicker1 = QStringLiteral("DateTimePicker1");

// Loads the record into the CurrentDraw and shows it with its digit sum.
void showDraw(Session& session, const Draw& record, const QString& separator) {
    Controls& controls = session.services.controls;
    Draw& draw = session.state.currentDraw;
    draw = record;
    controls.setText(Label29, drawCaption(draw, session.game(), separator));
    controls.setText(Label13, QStringLiteral("Quersumme: ") + QString::number(draw.digitSum()));
}

// The choice is final: the picker and the Lottotipp panel follow the CurrentDraw, the grid is evaluated.
void finishChoice(Session& session) {
    Controls& controls = session.services.controls;
    controls.setDate(DateTimePicker1, dates::fromDayNumber(session.state.currentDraw.date));
    controls.setText(Label35, controls.text(Label29));
    komplettcheck(session);
}

// A step skips the draw days of the game whose box is unchecked; other weekdays are never skipped.
bool excludedFromSteps(const Controls& controls, const Game& game, double date) {
    const int day = game.drawDayIndex(dates::fromDayNumber(date));
    return day >= 0 && day < 2 && !controls.checked(DrawFilter::dayBoxName(day));
}

void restOn(Session& session, const std::vector<Draw>& records, int index) {
    session.state.drawIndex = index;
    showDraw(session, records[static_cast<std::size_t>(index)], QStringLiteral("  "));
    finishChoice(session);
}

} // namespace

void showDrawForDate(Session& session) {
    const DrawArchive archive = session.archive();
    if (!archive.exists()) {
        session.services.ui.message(QStringLiteral("Lesen Sie zuerst die Daten der Ziehungen ein"));
        return;
    }
    const auto records = archive.scan();
    // No draw to show: the CurrentDraw, the picker and the labels stay as they are.
    if (records.empty()) return;

    const double chosen =
        dates::roundHalfEven(dates::toDayNumber(session.services.controls.date(DateTimePicker1)));
    const int count = static_cast<int>(records.size());
    int index = 0;
    while (index < count && records[static_cast<std::size_t>(index)].date < chosen) ++index;
    const bool found = index < count;
    if (!found) index = count - 1; // nothing on or after the day: the newest draw
    // A draw found in the very first record keeps three blanks, unless it is also the last one.
    const bool threeBlanks = found && index == 0 && count > 1;
    session.state.drawIndex = index;
    showDraw(session, records[static_cast<std::size_t>(index)],
             threeBlanks ? QStringLiteral("   ") : QStringLiteral("  "));
    finishChoice(session);
}

void previousDraw(Session& session) {
    const auto records = session.archive().scan();
    if (records.empty()) return;
    const int count = static_cast<int>(records.size());
    const Controls& controls = session.services.controls;
    // A position beyond the end (the file shrank behind our back) counts as the last record.
    const int from = std::min(session.state.drawIndex, count - 1);
    for (int index = std::max(from - 1, 0); index >= 0; --index) {
        if (!excludedFromSteps(controls, session.game(), records[static_cast<std::size_t>(index)].date)) {
            restOn(session, records, index);
            return;
        }
    }
    // Every earlier draw is excluded: the step has nowhere to rest and changes nothing.
}

void nextDraw(Session& session) {
    const auto records = session.archive().scan();
    if (records.empty()) return;
    const int count = static_cast<int>(records.size());
    const Controls& controls = session.services.controls;
    const auto excluded = [&](int index) {
        return excludedFromSteps(controls, session.game(), records[static_cast<std::size_t>(index)].date);
    };
    const int from = std::clamp(session.state.drawIndex + 1, 0, count - 1);
    for (int index = from; index < count; ++index) {
        if (!excluded(index)) {
            restOn(session, records, index);
            return;
        }
    }
    // An excluded last record turns the step back onto the record before it.
    if (count >= 2 && !excluded(count - 2)) {
        restOn(session, records, count - 2);
        return;
    }
    // Both of the last two records are excluded: nowhere to rest, nothing changes.
}
