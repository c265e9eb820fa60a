#pragma once

#include "archive/DrawRecord.h"
#include "generator/TipGrid.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class DrawFilter;
struct Session;

// "Trefferbilanz": how often each complete tip of the grid would have won in the draws the statistics
// select, beside what chance alone gives a tip in as many draws.
struct HitBalance {
    // The winning classes, best first: k of the tip's six numbers among the draw's six; "5 + ZZ" when
    // the sixth tip number is the draw's ZZ.
    enum Class { Six, FivePlusZz, Five, Four, Three, ClassCount };

    struct Tip {
        int row = 0; // 0-based row of the grid
        TipGrid::Tip numbers{};
        std::array<int, ClassCount> counts{};
        double bestDate = 0;      // the latest draw of the tip's highest class; 0 for none
        bool numberTwice = false; // no class can be told for such a tip: it is not counted
    };

    int draws = 0; // N, the selected draws
    double fromDate = 0;
    std::vector<Tip> tips;

    // What a random tip expects in N draws, class by class: N × 1, 6, 228, 11115, 182780 in 8145060.
    std::array<double, ClassCount> expected() const;

    // The table as the dialog shows it: the header, one line per tip, then "Zufall erwartet". A tip with
    // a number twice says "Zahl doppelt" beside its numbers and leaves its counts and date empty.
    static QStringList header();
    std::vector<QStringList> rows(const QLocale& locale = QLocale()) const;
    // "Verglichen mit N Ziehungen ab dd.mm.yyyy" ("1 Ziehung" for one)
    QString caption() const;
    // The header and the rows, tab-separated, for the clipboard.
    QString text(const QLocale& locale = QLocale()) const;
};

// Counts the classes of every complete grid row over the records that pass the filter.
HitBalance countHitBalance(const std::vector<DrawRecord>& records, const DrawFilter& filter,
                           const TipGrid& grid);

// Button7: the balance of the grid against the archive under the DrawFilter. A missing archive throws
// AppError; a grid without a complete row says so in a message and gives nothing.
std::optional<HitBalance> tipHitBalance(Session& session);
