#pragma once

#include "support/SessionEnv.h"

#include <vector>

// The archive the tests of "Eingeben" and "Löschen" start from: three draws of October 2002.
inline const std::vector<Draw> entryArchive = {
    makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4),
    makeDraw(QDate(2002, 10, 9), {1, 8, 19, 22, 30, 44}, 2, 5),
    makeDraw(QDate(2002, 10, 12), {6, 9, 14, 28, 36, 40}, 11, 6),
};

// A session on a Thursday after them, which counts the evaluations the entry and the deletion start.
struct EntryEnv : SessionEnv {
    int evaluations = 0;
    QDate pickerAtEvaluation;

    EntryEnv() {
        state.referenceDate = 12345;
        clock.setToday(QDate(2002, 10, 17)); // a Thursday
        controls.setDate(QStringLiteral("DateTimePicker1"), QDate(2002, 10, 17));
    }
    void evaluate() {
        ++evaluations;
        pickerAtEvaluation = controls.date(QStringLiteral("DateTimePicker1"));
    }
};
