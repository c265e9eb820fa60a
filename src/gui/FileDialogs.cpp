#include "gui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

QString chooseExportFile(const QString& defaultName, QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Textdatei (*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

QStringList chooseImportFiles(const QString& folder, QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Ziehungen importieren"), folder,
                       QStringLiteral("Text- und CSV-Dateien (*.txt *.csv);;Alle Dateien (*)"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

QString chooseBackupFile(const QString& suggestedName, QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Scheine sichern"), QDir::homePath(),
                       QStringLiteral("SQLite-Datenbank (*.sqlite);;Alle Dateien (*)"));
    dialog.setObjectName(QStringLiteral("SaveDialog9"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("sqlite"));
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}
