#include "SlipPdf.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <stdexcept>

void printToPdf(const Report& report, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(96);
    report.applyPageSetup(writer);
    report.paint(writer);
}

std::vector<PdfWord> readPdfWords(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) throw std::runtime_error("pdftotext failed");
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="[-0-9.]+" yMax="[-0-9.]+">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(3), QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) / 0.75});
    }
    return words;
}

std::vector<QPointF> printedMarks(const Report& report, const QString& path) {
    printToPdf(report, path);
    std::vector<QPointF> marks;
    for (const PdfWord& w : readPdfWords(path))
        if (w.text == QLatin1String("x")) marks.push_back(w.topLeft);
    return marks;
}
