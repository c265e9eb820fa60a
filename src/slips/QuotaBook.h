#pragma once

#include "evaluation/HitBalance.h"
#include "game/Draw.h"
#include "game/Game.h"
#include "slips/QuotaStore.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// The quotas of the draws of a game whose quotas are public ("6 aus 42"): read from the lists that publish
// them, kept only for a draw the archive holds with the numbers they were published with, and the prize a
// rank paid in a draw.
namespace quotas {

// One line of a list of quotas: the draw and what each rank paid.
struct Listed {
    Draw draw;
    std::vector<QuotaStore::Rank> ranks;
};

// The quotas a text holds, where its header names them: the layout of the record that ships with the program
// ("Datum;…;Gewinner 6+GZ;Quote 6+GZ CHF;…") or that of the public list ("Date,No1,…,Lucky,Division 1
// Winners,Division 1 Prize,…", Division 1 the game's best rank). Lines that hold no whole quotas are passed
// over.
std::vector<Listed> readQuotaList(const QString& text, const Game& game);

// Takes the quotas of the draws the archive holds as they were listed. A draw the list and the archive name
// differently keeps no quotas and is told once, with both readings ("Die Quoten vom 15.03.2025 fehlen: die
// Liste nennt …, die Datenbank …."); returns what is told, empty for nothing.
QString takeQuotas(QuotaStore& store, const Game& game, const std::vector<Draw>& archive,
                   const std::vector<Listed>& listed);

// The record of the game's quotas that ships with the program, taken for the draws of the archive whose
// quotas the store does not hold yet: what it tells (takeQuotas), or nothing.
QString takeRecord(QuotaStore& store, const Game& game, const std::vector<Draw>& archive,
                   const QString& recordFile);
// The quotas the texts of an import hold, taken so.
QString takeTexts(QuotaStore& store, const Game& game, const std::vector<Draw>& archive,
                  const QStringList& texts);

// The prize of each rank of the game (-1 where none is known) in each draw of the archive whose quotas were
// published with its numbers, by day number. A rank nobody won is not known either.
using PrizeTable = ::PrizeTable;
PrizeTable prizesOf(QuotaStore& store, const Game& game, const std::vector<Draw>& archive);
// The same where the game's quotas are public and a store of them is given; none otherwise. A store that
// cannot be read throws AppError.
std::optional<PrizeTable> prizesIfKept(QuotaStore* store, const Game& game, const std::vector<Draw>& archive);

} // namespace quotas
