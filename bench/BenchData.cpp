#include "BenchData.h"
#include "archive/DrawRecord.h"

#include "import/ShippedRecord.h"
#include "platform/Dates.h"
#include "stats/DrawFilter.h"

#include <QFile>
#include <algorithm>
#include <random>

BenchArchive::BenchArchive(int draws) {
    std::mt19937 gen(1986);
    QDate day(1986, 1, 1);
    QByteArray bytes;
    while (static_cast<int>(records_.size()) < draws) {
        const int wd = dates::weekday(day);
        if (wd == dates::Wednesday || wd == dates::Saturday) {
            std::vector<int> pool(45);
            for (int n = 0; n < 45; ++n) pool[static_cast<std::size_t>(n)] = n + 1;
            for (int i = 0; i < 7; ++i)
                std::swap(pool[static_cast<std::size_t>(i)], pool[i + gen() % (45 - i)]);
            std::sort(pool.begin(), pool.begin() + 6);
            Draw r;
            r.date = dates::toDayNumber(day);
            r.numbers = {pool[0], pool[1], pool[2], pool[3], pool[4], pool[5]};
            r.extras = {pool[6]};
            r.superNumber = static_cast<quint8>(gen() % 10);
            records_.push_back(r);
            const auto b = DrawRecord::encode(r, Game::sixOf45());
            bytes.append(reinterpret_cast<const char*>(b.data()), 16);
        }
        day = day.addDays(1);
    }
    QFile f(programDir() + QStringLiteral("ZahlenCH.dat"));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

RecordRig::RecordRig(const Game& game) {
    state.programDir = dir.path() + QLatin1Char('/');
    state.game = &game;
    grid.applyGame(game);
    DrawFilter::installDefaults(controls);
    ui.answerYes = true;
    shippedrecord::offer(session, QStringLiteral(ZIEHBOX_RECORDS_DIR "/") + game.shippedRecord);
}
