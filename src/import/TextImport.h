#pragma once

#include "archive/ArchiveGate.h"
#include "archive/DrawArchive.h"
#include "import/ImportedDraws.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct Session;
class Ui;

// Asks which files to import; an empty list means cancelled. The real one is the open dialog
// (chooseImportFiles in FileDialogs.h).
using ImportFileChooser = std::function<QStringList()>;

// What an import did, and the lines it could not take.
struct ImportReport {
    int inserted = 0;
    int replaced = 0;
    int unchanged = 0;
    int skippedLines = 0;
    QStringList withoutDraws; // files that hold no draw
    QString nothingNew;       // what the report says instead of its counts when nothing was taken
    QString quotas;           // what was told of the quotas a list held
    QString slips;            // what the player's slips newly reached: the last paragraph
    // "file, Zeile N: reason" or, for consecutive lines with one reason, "file, Zeilen N bis M: reason".
    QStringList skipped;
    // The message at the end: the counts, and up to ten of the skipped entries.
    QString text() const;
    // Every skipped entry, for the box's details when there are more than ten; else empty.
    QString details() const;
};

// Merges the draws into the archive, whose draws are `stored`, in one rewrite through the work file: new
// dates are inserted in date order, dates stored with the same numbers are left alone, dates stored with
// other numbers are replaced when `replaceDiffering` says so (it is asked once, with their count, and only
// when there are any; the hourglass shows while the archive is written, not while it is asked). Fills the
// counts of the report; returns the records of the archive afterwards.
std::vector<Draw> storeDraws(const ArchiveLease& lease, const DrawArchive& archive,
                             const std::vector<Draw>& stored, const ImportedDraws& draws,
                             ImportReport& report, Ui& ui, const std::function<bool(int)>& replaceDiffering);

// The question about the order of day and month in a file's dates, asked of the user while the hourglass
// of the reading shows: it steps aside for the question. Ja is day first.
DateOrderQuestion askDateOrder(Ui& ui);

// What follows the reading, wherever the draws come from (files, a list from the net): the questions about
// draws of other games and on days without a draw, the one write, the report, and the newest draw on display.
// `nothingNew`, when given, is what the report says when no draw was taken or replaced.
ImportReport takeDraws(Session& session, const ArchiveLease& lease, ImportedDraws& draws,
                       const std::function<void()>& showNewest, const QString& nothingNew = QString());

// "Import aus Text" (BitBtn9): reads the chosen files, asks once about draws of other games and once
// about draws that differ from stored ones, stores the rest, and reports. Afterwards DateTimePicker1
// shows the newest draw and `showNewest` evaluates it. A file that cannot be read, is too large, or an
// archive that cannot be written throws AppError with the archive unchanged; so does an import started
// while another operation holds the archive.
ImportReport importDrawFiles(Session& session, const ImportFileChooser& choose,
                             const std::function<void()>& showNewest);
