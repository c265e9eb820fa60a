#pragma once

#include "import/ArchiveExport.h"
#include "support/SessionEnv.h"

#include <QDir>

// Draws of 2001 .. 2003 on several weekdays, numbers in stored (unsorted) order.
inline const std::vector<Draw> archive = {
    makeDraw(QDate(2001, 3, 3), {1, 2, 3, 4, 5, 6}, 7),        // before the start date
    makeDraw(QDate(2001, 6, 2), {45, 3, 12, 17, 23, 34}, 7),   // exactly on it (Saturday)
    makeDraw(QDate(2001, 12, 28), {9, 8, 7, 6, 5, 4}, 44),     // Friday
    makeDraw(QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7),  // Saturday
    makeDraw(QDate(2002, 10, 7), {10, 20, 30, 40, 41, 42}, 1), // Monday
    makeDraw(QDate(2003, 1, 1), {11, 22, 33, 44, 2, 13}, 19),  // Wednesday
};

inline const QByteArray lines2001 = "02.06.2001;45;3;12;17;23;34;7;\r\n"
                                    "28.12.2001;9;8;7;6;5;4;44;\r\n";
inline const QByteArray lines2002 = "05.10.2002;3;12;17;23;34;45;7;\r\n"
                                    "07.10.2002;10;20;30;40;41;42;1;\r\n";
inline const QByteArray lines2003 = "01.01.2003;11;22;33;44;2;13;19;\r\n";

struct ExportEnv : SessionEnv {
    QStringList defaults; // what the save dialog was offered

    explicit ExportEnv(const QDate& start = QDate(2001, 6, 2)) {
        state.programDir = dir.path();
        state.referenceDate = 777;
        controls.setDate(QStringLiteral("DateTimePicker1"), start);
        dir.writeArchive(archive);
    }
    // Exports into the chosen file; an empty choice cancels.
    void run(const QString& chosen) {
        exportArchive(session, [&](const QString& defaultName) {
            defaults << defaultName;
            return chosen;
        });
    }
    // The files of the program directory besides the archive.
    QStringList written() const {
        QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        files.removeAll(QStringLiteral("ZahlenCH.dat"));
        return files;
    }
};
