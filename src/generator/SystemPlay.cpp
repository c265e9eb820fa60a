#include "generator/SystemPlay.h"

#include "game/Game.h"
#include "platform/AppError.h"
#include "platform/Choose.h"
#include "platform/Counted.h"

#include <QRegularExpression>
#include <algorithm>

namespace systemplay {

namespace {

// The numbers of a text typed with blanks or commas, each once and within `lowest` .. `highest`.
std::vector<int> numbersOf(const QString& text, int lowest, int highest, const QString& what) {
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    std::vector<int> numbers;
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = word.toInt(&ok);
        if (!ok || n < lowest || n > highest)
            throw AppError(
                QStringLiteral("„%1“ ist keine %2 von %3 bis %4.").arg(word, what).arg(lowest).arg(highest));
        if (std::find(numbers.begin(), numbers.end(), n) != numbers.end())
            throw AppError(QStringLiteral("Die %1 %2 steht zweimal da.").arg(what).arg(n));
        numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QString groupWord(int t) {
    return QStringList{QString(),
                       QStringLiteral("Einer"),
                       QStringLiteral("Zweier"),
                       QStringLiteral("Dreier"),
                       QStringLiteral("Vierer"),
                       QStringLiteral("Fünfer"),
                       QStringLiteral("Sechser")}
               .value(t) +
           QStringLiteral("gruppen");
}

QString francs(qint64 cents) {
    return QStringLiteral("CHF ") + formatCents(cents);
}

// The operator's "Gewinnplan" of a full system: for each number of hits among the chosen numbers, how many
// tips hold how many of them (the drawn Bankzahlen come on top of each).
QStringList winPlanOf(int n, int perTip, int bank, int luckyCount) {
    QStringList plan;
    const int fewest = std::max(1, 3 - bank);
    for (int h = std::min(perTip, n); h >= fewest; --h) {
        QStringList parts;
        for (int j = h; j >= fewest; --j) {
            const qint64 tips = choose(h, j) * choose(n - h, perTip - j) * std::max(1, luckyCount);
            if (tips > 0)
                parts << QStringLiteral("%1 mit %2")
                             .arg(counted(tips, QStringLiteral("Tipp"), QStringLiteral("Tipps")))
                             .arg(j);
        }
        plan
            << QStringLiteral("Mit %1 von %2 Zahlen: %3").arg(h).arg(n).arg(parts.join(QStringLiteral(", ")));
    }
    if (bank > 0) plan << QStringLiteral("Dazu in jedem Tipp jede gezogene Bankzahl.");
    return plan;
}

} // namespace

bool playsSystems(const Game& game) {
    return game.numbers.drawn == 6 && game.tipExtraCount() <= 1;
}

Request readRequest(const Game& game, const QString& numbers, const QString& bank, int guarantee,
                    const QString& lucky) {
    if (!playsSystems(game))
        throw AppError(QStringLiteral("Für %1 sind keine Systeme vorgesehen.").arg(game.name));
    const int lowest = game.numbers.lowest, highest = game.numbers.highest();
    Request r;
    r.numbers = numbersOf(numbers, lowest, highest, QStringLiteral("Zahl"));
    r.bank = numbersOf(bank, lowest, highest, QStringLiteral("Bankzahl"));
    r.guarantee = guarantee;
    const int n = int(r.numbers.size()), b = int(r.bank.size());
    if (n < FewestNumbers || n > MostNumbers)
        throw AppError(QStringLiteral("Ein System hat %1 bis %2 Zahlen, nicht %3.")
                           .arg(FewestNumbers)
                           .arg(MostNumbers)
                           .arg(n));
    if (b > MostBankNumbers)
        throw AppError(QStringLiteral("Höchstens %1 Bankzahlen, nicht %2.").arg(MostBankNumbers).arg(b));
    for (const int x : r.bank)
        if (std::binary_search(r.numbers.begin(), r.numbers.end(), x))
            throw AppError(QStringLiteral("Die Bankzahl %1 steht auch unter den Zahlen; eine Bankzahl ist in "
                                          "jedem Tipp und gehört nicht dazu.")
                               .arg(x));
    const int perTip = game.numbers.drawn - b;
    if (guarantee > perTip)
        throw AppError(QStringLiteral("Mit %1 ist höchstens „gekürzt: %2 wenn %2“ möglich.")
                           .arg(counted(b, QStringLiteral("Bankzahl"), QStringLiteral("Bankzahlen")))
                           .arg(perTip));
    if (game.ownExtras()) {
        const Drum& drum = game.tipExtraDrumAt(0);
        r.lucky = numbersOf(lucky, drum.lowest, drum.highest(), drum.oneName);
        if (r.lucky.empty())
            throw AppError(QStringLiteral("Bitte mindestens eine %1 (%2 bis %3) eintragen.")
                               .arg(drum.oneName)
                               .arg(drum.lowest)
                               .arg(drum.highest()));
    }
    return r;
}

std::optional<System> build(const Game& game, const Request& request, const covering::GoOn& goOn) {
    const int n = int(request.numbers.size()), b = int(request.bank.size());
    const int perTip = game.numbers.drawn - b;
    const int plays = std::max<int>(1, int(request.lucky.size()));
    const auto cost = [&](qint64 tips) { return tips * game.tipPriceCents; };
    const auto refuseAbove = [&](qint64 tips, const QString& kind) {
        if (tips > MostTips)
            throw AppError(
                QStringLiteral("%1 hätte %2 Tipps (%3); mehr als %4 Tipps spielt das Programm nicht.")
                    .arg(kind)
                    .arg(tips)
                    .arg(francs(cost(tips)))
                    .arg(MostTips));
    };
    std::vector<covering::Block> blocks;
    if (request.guarantee == 0) {
        refuseAbove(choose(n, perTip) * plays, QStringLiteral("Das Vollsystem"));
        // Every choice of perTip of the numbers, in lexicographic order: the covering of all such groups.
        blocks = covering::searchCovering({n, perTip, perTip}, nullptr);
    } else {
        const covering::CoveringProblem problem{n, perTip, request.guarantee};
        // No search where even the least such system would be too large.
        if (const qint64 least = qint64(covering::lowerBound(problem)) * plays; least > MostTips)
            throw AppError(
                QStringLiteral("Das gekürzte System hätte mindestens %1 Tipps (%2); mehr als %3 Tipps "
                               "spielt das Programm nicht.")
                    .arg(least)
                    .arg(francs(cost(least)))
                    .arg(MostTips));
        blocks = covering::searchCovering(problem, goOn);
        if (blocks.empty()) return std::nullopt;
        // Proved here once more, from the tips alone: a system that fails is never shown.
        if (covering::uncoveredGroup(problem, blocks))
            throw AppError(
                QStringLiteral("Das gekürzte System hält seine Garantie nicht und wird nicht gezeigt."));
        refuseAbove(qint64(blocks.size()) * plays, QStringLiteral("Das gekürzte System"));
    }
    System system;
    for (const covering::Block& block : blocks) {
        std::vector<int> six = request.bank;
        for (const int e : block) six.push_back(request.numbers[std::size_t(e)]);
        std::sort(six.begin(), six.end());
        Numbers numbers;
        for (const int x : six) numbers.push_back(x);
        if (request.lucky.empty())
            system.tips.push_back(Tip{numbers, {}});
        else
            for (const int g : request.lucky) system.tips.push_back(Tip{numbers, Numbers{g}});
    }
    const qint64 tips = qint64(system.tips.size());
    system.summary = QStringLiteral("%1 × CHF %2 = %3. ")
                         .arg(counted(tips, QStringLiteral("Tipp"), QStringLiteral("Tipps")),
                              formatCents(game.tipPriceCents), francs(cost(tips)));
    const QString bankToo = b > 0 ? QStringLiteral(", dazu jede gezogene Bankzahl") : QString();
    if (request.guarantee == 0) {
        system.summary += QStringLiteral("Vollsystem: jede Wahl von %1 Ihrer %2 Zahlen ist ein Tipp%3.")
                              .arg(perTip)
                              .arg(n)
                              .arg(b > 0 ? QStringLiteral(" mit den Bankzahlen") : QString());
        system.winPlan = winPlanOf(n, perTip, b, int(request.lucky.size()));
    } else {
        const int t = request.guarantee;
        system.summary +=
            QStringLiteral(
                "Garantiert: %1 Richtige, wenn %1 der gezogenen Zahlen unter Ihren %2 Zahlen sind%3; "
                "geprüft an allen %4 %5.")
                .arg(t)
                .arg(n)
                .arg(bankToo)
                .arg(choose(n, t))
                .arg(groupWord(t));
    }
    return system;
}

} // namespace systemplay
