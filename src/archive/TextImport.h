#pragma once

#include "archive/DrawRecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

struct AppState;
class Clock;
class Controls;
class Ui;

// One line of a draw file, as the import reads it.
struct ImportLine {
    enum class Kind {
        Empty, // nothing but blanks
        Draw,  // a valid draw
        Bad,   // not a valid draw; reason says why
    };
    Kind kind = Kind::Empty;
    DrawRecord draw;
    QString reason;
    bool startsWithDate = false; // a header line does not
};

// Reads "date;n;n;n;n;n;n;zz[;sz][;]" with ";", "," or a tab between the fields and blanks around them.
// The date is the locale's short date format, d.m.yyyy, dd.mm.yy (the most recent such year not after
// currentYear) or yyyy-mm-dd. The six numbers keep their order; SZ is 0 unless an eighth number gives it.
ImportLine readImportLine(const QString& line, int currentYear, const QLocale& locale = QLocale());

// Asks which files to import; an empty list means cancelled. The real one is the open dialog
// (chooseImportFiles in FileDialogs.h).
using ImportFileChooser = std::function<QStringList()>;

// What an import did, and the lines it could not take.
struct ImportReport {
    int inserted = 0;
    int replaced = 0;
    int unchanged = 0;
    QStringList skipped; // "file, Zeile N: reason"
    // The message at the end: the counts, and up to ten of the skipped lines.
    QString text() const;
};

// "Import aus Text" (BitBtn9): reads the chosen files in order and merges their draws into the archive
// in one rewrite through the work file: new dates are inserted in date order, dates stored with the same
// numbers are left alone, dates stored with other numbers are replaced only after one question for all
// of them. Of two lines of one date the later wins. Bad lines are skipped and reported. Afterwards
// DateTimePicker1 shows the newest draw and `showNewest` evaluates it. A file that cannot be read, is
// too large, or an archive that cannot be written throws AppError with the archive unchanged.
ImportReport importDrawFiles(AppState& state, Controls& controls, Ui& ui, const Clock& clock,
                             const ImportFileChooser& choose, const std::function<void()>& showNewest);
