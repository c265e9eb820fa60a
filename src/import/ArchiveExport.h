#pragma once

#include "game/Draw.h"

#include <QByteArray>
#include <QString>
#include <functional>

struct Game;
struct Session;

// Asks where to write, starting from the default name; an empty result means cancelled. The real one is
// the save dialog (chooseExportFile in FileDialogs.h).
using ExportFileChooser = std::function<QString(const QString& defaultName)>;

// One line of the export: "dd.MM.yyyy;n;n;n;n;n;n;zz;" in the short date format, Latin-1, CR LF.
QByteArray exportLine(const Draw& record);
// The same line without its line end.
QString exportText(const Draw& record);

// The export's default file of a year in a folder (ending with a separator): the game's prefix ("CHJ") +
// year + ".csv".
QString exportFileName(const QString& folder, const Game& game, int year);

// "Export nach Text" (BitBtn3): every draw of the current game from the date of DateTimePicker1 on, one
// line each. While the current file's name holds the digits of the current year, each later year goes to
// its own default file beside the chosen one; such a file that is there already is replaced only after a
// yes (Nein first), else its year is left out. At the end a message names every file written and its draws.
// ReferenceDate becomes the start date once the first file is made. Failures throw AppError; the lines
// written until then stay.
void exportArchive(Session& session, const ExportFileChooser& choose);
