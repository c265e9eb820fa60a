#pragma once

#include "archive/ArchiveGate.h"
#include "archive/DrawArchive.h"
#include "game/Game.h"
#include "game/Tip.h"

#include <QString>
#include <functional>

namespace share {
struct Model;
}

// The values the operations share for the whole run, owned by the app and passed by reference.
struct AppState {
    QString programDir;                  // ends with a separator
    const Game* game = &Game::sixOf45(); // the current game, never null
    QString hitSoundFile = QStringLiteral("yippee.wav");
    int maxCalcRuns = 100000;
    bool readyFlag = false;
    int land = 1;
    int tippTop = 71;
    int tippLeft = 42;
    double referenceDate = 0;
    Draw currentDraw;
    int drawIndex = 0;
    TipCheck lastCheck;      // HitCount and ZusatzHit of the last comparison
    ArchiveGate archiveGate; // the one operation that writes the archive
    // Checks the player's slips against the draws as they are now and says what they newly reached ("Meine
    // Scheine: …"), or nothing; the app sets it, the import's report ends with it.
    std::function<QString()> checkSlips;
    // Takes the quotas the texts of an import hold (a list of quotas) for the draws of the archive as it is
    // now, and says what it tells of them, or nothing; the app sets it, the import's report ends with it.
    std::function<QString(const QStringList& texts, const std::vector<Draw>& archive)> takeQuotas;
    // How popular the current game's numbers are with the players, fitted to its quotas; null where that is
    // not known (another game, the file missing). The app sets it.
    std::function<const share::Model*()> popularity;

    // The current game's archive.
    DrawArchive archive() const { return DrawArchive(programDir, *game); }
    QString archivePath() const { return programDir + game->archiveFile; }
};
