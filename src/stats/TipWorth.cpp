#include "stats/TipWorth.h"

#include "game/Game.h"
#include "state/TipGrid.h"
#include "stats/ShareFactor.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace worth {

namespace {

std::optional<share::Numbers> sixOf(const Numbers& numbers) {
    if (numbers.size() != 6) return std::nullopt;
    share::Numbers six{};
    for (int i = 0; i < 6; ++i) {
        six[std::size_t(i)] = numbers[std::size_t(i)];
        if (six[std::size_t(i)] < 1 || six[std::size_t(i)] > 42) return std::nullopt;
    }
    std::array<int, 6> sorted = six;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) return std::nullopt;
    return six;
}

QString decimal(double value) {
    return QLocale().toString(value, 'f', 2);
}

// The patterns of a tip, as its tool tip names them.
QString patternWords(const share::PatternSet& patterns) {
    static const char* const words[share::PatternCount] = {"eine arithmetische Folge", "drei Nachbarzahlen",
                                                           "Nachbarzahlen", "nur Zahlen bis 31",
                                                           "die Zahlen der letzten Ziehung"};
    QStringList found;
    for (int p = 0; p < share::PatternCount; ++p)
        if (patterns[std::size_t(p)] &&
            !(p == int(share::Pattern::Pair) && patterns[int(share::Pattern::Run)]))
            found << QString::fromUtf8(words[p]);
    return found.join(QStringLiteral(", "));
}

} // namespace

std::shared_ptr<const share::Model> loadModel(const QString& file) {
    QFile f(file);
    if (file.isEmpty() || !f.open(QIODevice::ReadOnly)) return nullptr;
    const QByteArray text = f.readAll();
    auto model = share::parseModel(std::string_view(text.constData(), std::size_t(text.size())));
    return model ? std::make_shared<const share::Model>(*model) : nullptr;
}

std::optional<Shown> shownFor(const share::Model& model, const Tip& tip, const Numbers* latestDraw) {
    const auto six = sixOf(tip.numbers);
    if (!six || tip.extras.size() != 1 || tip.extras[0] < 1 || tip.extras[0] > 6) return std::nullopt;
    const auto latest = latestDraw ? sixOf(*latestDraw) : std::nullopt;
    const share::Result r = share::shareFactor(model, *six, tip.extras[0], latest ? &*latest : nullptr);
    Shown shown;
    shown.text = QStringLiteral("×") + decimal(r.factor);
    const bool more = r.factor >= 1;
    shown.toolTip =
        QStringLiteral(
            "Teilungsfaktor ×%1 (± %2): Ein Gewinn dieses Tipps in den Rängen „5 + GZ“ bis „3“ wird "
            "im Mittel %1-mal so hoch ausbezahlt wie derselbe Gewinn eines Durchschnittstipps, weil %3 "
            "andere Spieler dieselben Zahlen und dieselbe Glückszahl spielen.\n"
            "Erwartete Auszahlung in diesen Rängen: CHF %4 (± %5) von CHF 2.50 Einsatz, bei einem "
            "Durchschnittstipp CHF %6.\n")
            .arg(decimal(r.factor), decimal(std::max(r.factorSe, 0.005)),
                 more ? QStringLiteral("weniger") : QStringLiteral("mehr"), decimal(r.expectedReturn),
                 decimal(std::max(r.expectedReturnSe, 0.005)), decimal(r.randomReturn));
    if (const QString patterns = patternWords(r.patterns); !patterns.isEmpty())
        shown.toolTip += QStringLiteral("Muster: %1.\n").arg(patterns);
    shown.toolTip += QStringLiteral("Geschätzt aus den Quoten von %1 Ziehungen %2. Die Gewinnchance ist für "
                                    "jeden Tipp dieselbe.")
                         .arg(model.draws)
                         .arg(QString::fromStdString(model.years).replace(QLatin1Char('-'), QChar(0x2013)));
    return shown;
}

std::vector<std::optional<Shown>> rowsOf(const TipGrid& grid, const Game& game, const share::Model& model,
                                         const Numbers* latestDraw) {
    std::vector<std::optional<Shown>> rows;
    for (int row = 0; row < TipGrid::Rows; ++row) {
        const auto tip = grid.completeRow(row, game);
        rows.push_back(tip ? shownFor(model, *tip, latestDraw) : std::nullopt);
    }
    return rows;
}

std::array<double, 43> numberAcceptance(const share::Model& model) {
    // To the eighth power, so that the preference shows in a handful of tips: the most played number is
    // kept about a thirtieth as often as the least played one.
    double least = model.numbers[0].value;
    for (const share::Estimate& e : model.numbers) least = std::min(least, e.value);
    std::array<double, 43> keep{};
    for (int n = 1; n <= 42; ++n)
        keep[std::size_t(n)] = std::pow(least / model.numbers[std::size_t(n - 1)].value, 8);
    return keep;
}

std::array<double, 7> luckyWeights(const share::Model& model) {
    // A "+ GZ" hit is shared among those who hold the same Glückszahl: the rarer, the better, steeply (the
    // least played one about three tips in four).
    std::array<double, 7> weights{};
    for (int g = 1; g <= 6; ++g)
        weights[std::size_t(g)] = std::pow(1 / model.lucky[std::size_t(g - 1)].value, 16);
    return weights;
}

bool hasPopularPattern(const Numbers& numbers, const Numbers* latestDraw) {
    const auto six = sixOf(numbers);
    if (!six) return false;
    const auto latest = latestDraw ? sixOf(*latestDraw) : std::nullopt;
    const share::PatternSet p = share::patternsOf(*six, latest ? &*latest : nullptr);
    return p[int(share::Pattern::Sequence)] || p[int(share::Pattern::Birthday)] ||
           p[int(share::Pattern::PreviousDraw)];
}

} // namespace worth
