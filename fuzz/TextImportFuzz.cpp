// Feeds arbitrary bytes to the import's read step, as a file or a downloaded list would bring them, for
// each game.
#include "game/Game.h"
#include "import/ImportedDraws.h"
#include "platform/AppError.h"
#include "platform/Dates.h"
#include "platform/TextLines.h"

#include <QByteArray>
#include <QLocale>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QDate today(2026, 12, 8);
    for (const Game* game : Game::all()) {
        ImportedDraws read;
        try {
            readDrawText(read, textlines::decode(bytes), QStringLiteral("liste"), QStringLiteral("liste"),
                         *game, {today, {}, {}});
        } catch (const AppError& e) {
            if (e.message().isEmpty()) std::abort();
            continue; // refused whole, as a file of both date orders is
        }
        // Whatever is read as a draw is one of the game: its numbers, its extra number, a date up to today,
        // and from its first draw on unless it is held back as another game's.
        for (const auto& [date, line] : read.byDate) {
            const Draw& draw = line.draw;
            if (date != draw.date || game->problemOf(draw).kind != Game::DrawProblem::Kind::None)
                std::abort();
            const QDate day = dates::fromDayNumber(draw.date);
            if (!day.isValid() || day > today || day < dates::earliestDate()) std::abort();
            const bool otherGame = line.hold == ImportLine::Hold::OtherGame;
            if (otherGame == game->playedOn(day)) std::abort();
            if (line.hold == ImportLine::Hold::None && !game->isDrawDay(day)) std::abort();
            if (!game->hasSuperNumber && draw.superNumber != 0) std::abort();
        }
    }
    return 0;
}
