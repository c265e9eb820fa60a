#include "archive/DrawEntry.h"

#include "archive/Session.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/Ui.h"

#include <algorithm>

QString drawEntryProblem(const DrawRecord& draw, const Game& game) {
    using Kind = Game::DrawProblem::Kind;
    const Game::DrawProblem problem = game.problemOf(draw);
    if (problem.kind == Kind::None) return {};
    if (problem.outOfRange())
        return QStringLiteral("Die Zahlen müssen zwischen 1 und %1 liegen.").arg(game.highest);
    return QStringLiteral(
               "Die Zahl %1 kommt mehrfach vor. Die sechs Zahlen und die %2 müssen alle verschieden "
               "sein.")
        .arg(problem.number)
        .arg(game.extra.name);
}

DrawRecord withSortedNumbers(DrawRecord draw) {
    std::sort(draw.zahl.begin(), draw.zahl.end());
    return draw;
}

void enterDraw(Session& session, const DrawPrompt& prompt, const EvaluateForDate& evaluate) {
    AppState& state = session.state;
    const ArchiveLease lease = state.archiveGate.take();
    const DrawArchive archive = session.archive();
    const auto last = archive.lastRecord(); // a missing archive throws here, before anything changes

    DrawRecord preset;
    if (last) {
        state.referenceDate = last->datum;
        preset = *last;
    } else {
        // Nothing to pre-fill from: the coming draw day, the numbers are the user's to give.
        preset.datum = dates::toDayNumber(session.game().nextDrawDay(session.services.clock.today()));
    }

    const std::optional<DrawRecord> entered = prompt(preset);
    if (entered) {
        const QString problem = drawEntryProblem(*entered, session.game());
        if (!problem.isEmpty()) throw AppError(problem); // the dialog refuses these; never store one
        const DrawRecord record = withSortedNumbers(*entered);
        if (last && record.datum <= dates::roundHalfEven(state.referenceDate)) {
            state.referenceDate = archive.insertOrReplace(lease, record);
        } else {
            auto appender = archive.openForAppend(lease);
            appender.append(record);
            appender.close();
            state.referenceDate = record.datum;
        }
    } else if (!last) {
        return; // cancelled on an empty archive: there is no draw to show
    }

    session.services.controls.setDate(QStringLiteral("DateTimePicker1"),
                                      dates::fromDayNumber(state.referenceDate));
    evaluate();
}

void deleteCurrentDraw(Session& session, const EvaluateForDate& evaluate) {
    {
        const ArchiveLease lease = session.state.archiveGate.take();
        BusyCursor busy(session.services.ui);
        session.archive().deleteDate(lease, session.state.currentDraw.date);
    }
    evaluate();
}
