#include "import/DrawEntry.h"

#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "state/Session.h"

#include <algorithm>

QString drawEntryProblem(const Draw& draw, const Game& game) {
    using Kind = Game::DrawProblem::Kind;
    const Game::DrawProblem problem = game.problemOf(draw);
    if (problem.kind == Kind::None) return {};
    const Drum* drum = problem.place >= 0 ? &game.extraDrumAt(problem.place) : nullptr;
    if (problem.kind == Kind::ExtraOutOfRange && !drum->mainDrum)
        return QStringLiteral("Die %1 %2 zwischen %3 und %4 liegen.")
            .arg(drum->name, drum->drawn > 1 ? QStringLiteral("müssen") : QStringLiteral("muss"))
            .arg(drum->lowest)
            .arg(drum->highest(dates::fromDayNumber(draw.date)));
    if (problem.outOfRange())
        return QStringLiteral("Die Zahlen müssen zwischen 1 und %1 liegen.").arg(game.numbers.highest());
    const QString main = inWords(game.numbers.drawn);
    // A further number from a drum of its own may be one of the main numbers.
    const QString distinct =
        problem.kind == Kind::ExtraTwice
            ? QStringLiteral("Die %1 %2 müssen verschieden sein.").arg(inWords(drum->drawn), drum->name)
        : game.ownExtras() ? QStringLiteral("Die %1 Zahlen müssen alle verschieden sein.").arg(main)
                           : QStringLiteral("Die %1 Zahlen und die %2 müssen alle verschieden sein.")
                                 .arg(main, game.extra().name);
    return QStringLiteral("Die Zahl %1 kommt mehrfach vor. %2").arg(problem.number).arg(distinct);
}

Draw withSortedNumbers(Draw draw) {
    draw.numbers = draw.numbers.sorted();
    // The numbers of a drum of several ascending too (every game has one further drum at most).
    if (draw.extras.size() > 1) draw.extras = draw.extras.sorted();
    return draw;
}

namespace {

// A draw stored on the entered date that the entry would replace is replaced only when the user says so,
// also one that differs in its Superzahl only.
bool replaceAllowed(Session& session, const std::vector<Draw>& stored, const Draw& entered) {
    const auto other = std::find_if(stored.begin(), stored.end(), [&](const Draw& r) {
        return r.date == entered.date && !(sameDraw(r, entered) && r.superNumber == entered.superNumber);
    });
    if (other == stored.end()) return true;
    const Game& game = session.game();
    const QString day = dates::formatFixedDate(entered.date);
    const QString question =
        sameDraw(*other, entered)
            ? QStringLiteral(
                  "Am %1 ist die Ziehung %2 mit der %3 %4 gespeichert. Soll sie durch dieselbe mit "
                  "der %3 %5 ersetzt werden?")
                  .arg(day, game.drawText(*other), game.superNumber.name)
                  .arg(other->superNumber)
                  .arg(entered.superNumber)
            : QStringLiteral("Am %1 ist die Ziehung %2 gespeichert. Soll sie durch %3 ersetzt werden?")
                  .arg(day, game.drawText(*other), game.drawText(entered));
    return session.services.ui.question(question, QString(), Ui::Preset::No);
}

// A date in the future is a slip of the finger and refused; one on which the game had no draw (another
// weekday, before its first draw or after its last) is stored only when the user says so, as the import asks.
bool dateAllowed(Session& session, const Draw& entered) {
    const QDate day = dates::fromDayNumber(entered.date);
    if (day > session.services.clock.today())
        throw AppError(
            QStringLiteral("Die Ziehung vom %1 liegt in der Zukunft.").arg(dates::formatFixedDate(day)));
    const Game& game = session.game();
    if (game.playedOn(day) && game.isDrawDay(day)) return true;
    return session.services.ui.question(
        QStringLiteral(
            "Die Ziehung ist auf einen Tag ohne Ziehung von %1 datiert (%2); keine Statistik zählt "
            "sie. Soll sie trotzdem übernommen werden?")
            .arg(game.name, dates::formatWeekdayFixedDate(day)),
        QString(), Ui::Preset::No);
}

} // namespace

void enterDraw(Session& session, const DrawPrompt& prompt, const EvaluateForDate& evaluate) {
    AppState& state = session.state;
    const ArchiveLease lease = state.archiveGate.take();
    const DrawArchive archive = session.archive();
    const auto stored = archive.scan(); // a missing archive throws here, before anything changes
    const std::optional<Draw> last = stored.empty() ? std::nullopt : std::optional<Draw>(stored.back());

    Draw preset;
    if (last) {
        state.referenceDate = last->date;
        preset = *last;
    } else {
        // Nothing to pre-fill from: the last draw day (a later one has no draw yet), the numbers are the
        // user's to give.
        preset.date = dates::toDayNumber(session.game().previousDrawDay(session.services.clock.today()));
    }

    const std::optional<Draw> entered = prompt(preset);
    if (entered) {
        const QString problem = drawEntryProblem(*entered, session.game());
        if (!problem.isEmpty()) throw AppError(problem); // the dialog refuses these; never store one
        if (!dateAllowed(session, *entered)) return;
        const Draw record = withSortedNumbers(*entered);
        if (last && record.date <= dates::roundHalfEven(state.referenceDate)) {
            if (!replaceAllowed(session, stored, record)) return;
            state.referenceDate = archive.insertOrReplace(lease, record);
        } else {
            auto appender = archive.openForAppend(lease);
            appender.append(record);
            appender.close();
            state.referenceDate = record.date;
        }
    } else if (!last) {
        return; // cancelled on an empty archive: there is no draw to show
    }

    session.services.controls.setDate(QStringLiteral("DateTimePicker1"),
                                      dates::fromDayNumber(state.referenceDate));
    evaluate();
}

void deleteCurrentDraw(Session& session, const EvaluateForDate& evaluate) {
    Ui& ui = session.services.ui;
    {
        const ArchiveLease lease = session.state.archiveGate.take();
        const Draw& shown = session.state.currentDraw;
        if (shown.date <= 0) {
            ui.message(QStringLiteral("Es wird keine Ziehung angezeigt, die gelöscht werden könnte."));
            return;
        }
        // The draw on display may come from a web page: only a stored draw that is it can be deleted.
        const auto stored = session.archive().scan();
        if (std::none_of(stored.begin(), stored.end(),
                         [&](const Draw& r) { return r.date == shown.date && sameDraw(r, shown); })) {
            ui.message(QStringLiteral("Die angezeigte Ziehung ist nicht gespeichert."));
            return;
        }
        // The draw on display is the one named and deleted, whatever the date field holds.
        if (!ui.question(QStringLiteral("Soll die Ziehung vom %1 (%2) gelöscht werden?")
                             .arg(dates::formatFixedDate(shown.date), session.game().drawText(shown)),
                         QString(), Ui::Preset::No))
            return;
        BusyCursor busy(ui);
        session.archive().deleteDraw(lease, shown);
        session.services.controls.setDate(QStringLiteral("DateTimePicker1"),
                                          dates::fromDayNumber(shown.date));
    }
    evaluate();
}
