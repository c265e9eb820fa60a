#pragma once

#include "report/Report.h"

#include <QPointF>
#include <QString>
#include <vector>

// The report printed into a real PDF at 96 dpi through the printing path, and its words read back with
// poppler's pdftotext, in report pixels (a point is 4/3 of a pixel).
struct PdfWord {
    QString text;
    QPointF topLeft;
};

void printToPdf(const Report& report, const QString& path);
std::vector<PdfWord> readPdfWords(const QString& path);
// The top-left corners of every "x" on the page.
std::vector<QPointF> printedMarks(const Report& report, const QString& path);
