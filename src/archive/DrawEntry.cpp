#include "archive/DrawEntry.h"

#include "archive/AppState.h"
#include "archive/DrawArchive.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/Ui.h"

#include <algorithm>

QString drawEntryProblem(const DrawRecord& draw) {
    std::array<int, 7> seven{};
    for (int i = 0; i < 7; ++i) seven[static_cast<std::size_t>(i)] = draw.drawnNumber(i);
    for (int n : seven)
        if (n < 1 || n > 45) return QStringLiteral("Die Zahlen müssen zwischen 1 und 45 liegen.");
    for (std::size_t i = 0; i < seven.size(); ++i)
        for (std::size_t j = i + 1; j < seven.size(); ++j)
            if (seven[i] == seven[j])
                return QStringLiteral("Die Zahl %1 kommt mehrfach vor. Die sechs Zahlen und die Zusatzzahl "
                                      "müssen alle verschieden sein.")
                    .arg(seven[i]);
    return {};
}

DrawRecord withSortedNumbers(DrawRecord draw) {
    std::sort(draw.zahl.begin(), draw.zahl.end());
    return draw;
}

QDate nextDrawDay(const QDate& day) {
    QDate d = day;
    while (dates::weekday(d) != dates::Wednesday && dates::weekday(d) != dates::Saturday) d = d.addDays(1);
    return d;
}

void enterDraw(AppState& state, Controls& controls, const Clock& clock, const DrawPrompt& prompt,
               const EvaluateForDate& evaluate) {
    const ArchiveLease lease = state.archiveGate.take();
    const DrawArchive archive(state.programDir);
    const auto last = archive.lastRecord(); // a missing archive throws here, before anything changes

    DrawRecord preset;
    if (last) {
        state.referenceDate = last->datum;
        preset = *last;
    } else {
        // Nothing to pre-fill from: the coming draw day, the numbers are the user's to give.
        preset.datum = dates::toDayNumber(nextDrawDay(clock.today()));
    }

    const std::optional<DrawRecord> entered = prompt(preset);
    if (entered) {
        const QString problem = drawEntryProblem(*entered);
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

    controls.setDate(QStringLiteral("DateTimePicker1"), dates::fromDayNumber(state.referenceDate));
    evaluate();
}

void deleteCurrentDraw(AppState& state, Ui& ui, const EvaluateForDate& evaluate) {
    {
        const ArchiveLease lease = state.archiveGate.take();
        BusyCursor busy(ui);
        DrawArchive(state.programDir).deleteDate(lease, state.currentDraw.date);
    }
    evaluate();
}
