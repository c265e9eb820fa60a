#include "slips/QuotaBook.h"

#include "platform/AppError.h"
#include "platform/Dates.h"
#include "support/TestDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString textOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// "3 + GZ" and "3" of a line, as "winners×prize".
QString lowest(const quotas::Listed& l) {
    QStringList r;
    for (std::size_t i = l.ranks.size() - 2; i < l.ranks.size(); ++i)
        r << QStringLiteral("%1:%2×%3")
                 .arg(l.ranks[i].name)
                 .arg(l.ranks[i].winners)
                 .arg(l.ranks[i].prizeCents);
    return r.join(' ');
}

} // namespace

// The quotas of the shipped record and of the public list in its own layout (English names, newest first) are
// read alike; kept only for a draw the archive holds as listed, the disputed one told once and left out.
TEST(Quotas, ListsAreReadAndKeptOnlyWithTheirDraw) {
    const Game& g = Game::sixOf42();
    const QString record = textOf(QFileInfo(shippedRecordPath(g)).absolutePath() + '/' + g.quotaRecord);
    const auto shipped = quotas::readQuotaList(record, g);
    ASSERT_EQ(shipped.size(), 1354u);
    EXPECT_EQ(shipped.front().draw, makeDraw(QDate(2013, 1, 12), {6, 8, 9, 12, 28, 30}, 4));
    EXPECT_EQ(lowest(shipped.front()), QStringLiteral("3 + GZ:9174×2655 3:51531×945"));
    const auto listed = quotas::readQuotaList(
        QStringLiteral(
            "Date,No1,No2,No3,No4,No5,No6,Lucky,Division 1 Winners,Division 1 Prize,Division 2 Winners,"
            "Division 2 Prize,Division 3 Winners,Division 3 Prize,Division 4 Winners,Division 4 Prize,"
            "Division 5 Winners,Division 5 Prize,Division 6 Winners,Division 6 Prize,Division 7 Winners,"
            "Division 7 Prize,Division 8 Winners,Division 8 Prize\n"
            "31.12.2025,1,11,23,37,39,40,6,1,5924861.45,0,0.00,11,7589.60,29,1000.00,293,187.20,1484,"
            "95.95,4817,28.60,25958,11.30\n"
            "27.12.2025,1,8,16,24,26,34,2,0,0,1,\"1,000,000.00\",17,2204.15,72,942.15,444,106.20,2191,"
            "55.90,5535,21.40,27574,9.15\n"),
        g);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(lowest(listed[0]), QStringLiteral("3 + GZ:4817×2860 3:25958×1130"));
    EXPECT_EQ(listed[1].ranks[1].prizeCents, 100000000);

    TestDir dir;
    QuotaStore store(dir.path());
    const std::vector<Draw> archive = shippedDraws(g);
    const QString told =
        QStringLiteral("Die Quoten vom 15.03.2025 fehlen: die Liste nennt 3 27 31 33 36 40 GZ:5, "
                       "die Datenbank 3 27 31 33 36 39 GZ:5.");
    EXPECT_EQ(quotas::takeQuotas(store, g, archive, shipped), told);
    EXPECT_EQ(quotas::takeQuotas(store, g, archive, shipped), QString()); // told once
    EXPECT_EQ(store.quotas(g).size(), 1353u);
    const auto prizes = quotas::prizesOf(store, g, archive);
    EXPECT_EQ(prizes.size(), 1353u);
    // Nobody won the jackpot: what it would have paid is not known.
    EXPECT_EQ(prizes.at(archive.front().date),
              (std::vector<qint64>{-1, 100000000, 618505, 100000, 14980, 6915, 2655, 945}));
    // A stored draw that is not the listed one gets none of its quotas.
    std::vector<Draw> other = archive;
    other.front().numbers[0] = 7;
    EXPECT_EQ(quotas::prizesOf(store, g, other).count(archive.front().date), 0u);
}
