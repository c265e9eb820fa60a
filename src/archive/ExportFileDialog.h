#pragma once

#include <QString>

class QWidget;

// SaveDialog1: "Textdatei (*.txt)", default suffix "txt", no question before replacing a file. Returns the
// chosen path, or an empty text when the user cancels.
QString chooseExportFile(const QString& defaultName, QWidget* parent = nullptr);
