#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// SaveDialog1: "Textdatei (*.txt)", default suffix "txt", no question before replacing a file. Returns the
// chosen path, or an empty text when the user cancels.
QString chooseExportFile(const QString& defaultName, QWidget* parent = nullptr);

// The open dialog of "Import aus Text": "Ziehungen importieren", text and CSV files, several at once.
// Returns the chosen paths in the order shown, or an empty list when the user cancels.
QStringList chooseImportFiles(const QString& folder, QWidget* parent = nullptr);

// "Scheine sichern": where a copy of the slips goes, an SQLite database; Qt asks before replacing a file.
// Returns the chosen path, or an empty text when the user cancels.
QString chooseBackupFile(const QString& suggestedName, QWidget* parent = nullptr);
