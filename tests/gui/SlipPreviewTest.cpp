#include "archive/DrawArchive.h"
#include "gui/ChartView.h"
#include "gui/PrintPreview.h"
#include "output/SlipPrinter.h"
#include "output/SlipReport.h"
#include "output/SlipSettings.h"
#include "platform/AppError.h"
#include "platform/ChartModel.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "report/Report.h"
#include "state/AppState.h"
#include "state/TipGrid.h"
#include "support/Modal.h"
#include "support/TestDir.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Confirms with the test display on and the default offsets.
class ConfirmingPrompt : public SlipSettingsPrompt {
public:
    void setOffsets(int top, int left) override {
        state.top = top;
        state.left = left;
    }
    void setDays(bool saturday, bool wednesday) override {
        state.saturday = saturday;
        state.wednesday = wednesday;
    }
    void setSlipTipCount(int) override {}
    void setPriceText(const QString&) override {}
    void setSlipPicture(const QString&, bool) override {}
    bool runModal() override { return true; }
    SlipChoice choice() const override { return state; }
    SlipChoice state{.joker = true, .showSlip = true};
};

// A light stand-in for the slip: one box per number of the 14 fields and the four game boxes, where the
// marks of the default offsets should fall. The picture's corner lies at (10, -5) of the band.
QImage slipPicture() {
    QImage image(785, 469, QImage::Format_RGB32);
    image.fill(QColor(255, 250, 240));
    QPainter p(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(7);
    p.setFont(font);
    const auto box = [&p](int x, int y, const QString& text) {
        const QRect r(x - 10 - 3, y + 5 - 2, 13, 16);
        p.setPen(QColor(240, 150, 150));
        p.drawRect(r);
        p.setPen(QColor(200, 120, 120));
        p.drawText(r.adjusted(0, 8, 0, 0), Qt::AlignCenter, text);
    };
    for (int slot = 0; slot < 14; ++slot)
        for (int n = 1; n <= 45; ++n)
            box(42 + 81 * (slot / 2) + 14 * ((n - 1) % 6), 71 + 136 * (slot % 2) + 17 * ((n - 1) / 6),
                QString::number(n));
    box(42 + 190, 71 - 32, QStringLiteral("1"));
    box(42 + 215, 71 - 32, QStringLiteral("2"));
    box(42 + 125, 71 + 295, QStringLiteral("J"));
    box(42 + 405, 71 + 295, QStringLiteral("E"));
    return image;
}

// Pictures go to ZIEHBOX_SHOT_DIR when it is set, for a person to look at.
void keepShot(const QImage& image, const char* name) {
    const QString dir = qEnvironmentVariable("ZIEHBOX_SHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    image.save(QDir(dir).filePath(QString::fromLatin1(name)));
}

} // namespace

TEST(SlipPreview, PictureUnderTheMarksInThePreview) {
    QTemporaryDir work;
    ASSERT_TRUE(slipPicture().save(work.filePath(QStringLiteral("Schein.jpg")), "JPG", 95));
    Controls controls;
    TipGrid grid(controls, Game::sixOf45());
    for (int r = 0; r < TipGrid::Rows; ++r)
        for (int c = 0; c < 6; ++c) grid.setCellText(r, c, QString::number((r * 7 + c * 8) % 45 + 1));
    AppState state;
    Clock clock;
    clock.setToday(QDate(2002, 10, 3));
    ConfirmingPrompt prompt;
    PrintPreview preview;
    SlipPrinter printer(prompt, preview, work.path());

    // The real preview, grabbed and closed once it is up.
    QImage grabbed;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&grabbed, &poll] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll.stop();
        dialog->resize(900, 1000);
        QApplication::processEvents();
        grabbed = dialog->grab().toImage();
        dialog->close();
    });
    poll.start(50);
    ASSERT_TRUE(printer.printSlip(state, grid, clock));
    ASSERT_FALSE(grabbed.isNull()) << "no preview was shown";
    keepShot(grabbed, "slip_preview.png");

    // The page as the printer gets it, at 96 dpi.
    QImage page(794, 1123, QImage::Format_RGB32);
    page.setDotsPerMeterX(3780);
    page.setDotsPerMeterY(3780);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        printer.report().render(painter, QRectF(0, 0, 793.7, 1122.5));
    }
    keepShot(page, "slip_page.png");
    // The picture shows through, and the first tip's first mark is dark ink inside its box.
    // (JPEG shifts the cream a little; the band around it is pure white.)
    const QColor cream = page.pixelColor(700, 420);
    EXPECT_NEAR(cream.green(), 250, 8);
    EXPECT_NEAR(cream.blue(), 240, 8);
    EXPECT_EQ(page.pixelColor(5, 300), Qt::white);
    int dark = 0;
    for (int y = 71; y < 71 + 12; ++y)
        for (int x = 42; x < 42 + 8; ++x) dark += qGray(page.pixel(x, y)) < 80;
    EXPECT_GT(dark, 8);
}

// "Drucken in Datei (PDF)" onto a file of the draws is refused, from the slip's preview and from the chart.
TEST(PrintToFile, AFileOfTheDrawsIsRefused) {
    TestDir dir;
    dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7)});
    const QByteArray before = dir.readFile(QStringLiteral("ZahlenCH.dat"));
    const auto check = [&dir](const QString& file) { DrawArchive::refuseAsTarget(dir.path(), file); };
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.archivePath());
    const Report report = slip::createReport();
    const auto dialog = PrintPreview::createDialog(report, printer, nullptr, check);
    QString refused;
    whenModalOf("QMessageBox", [&refused](QWidget* box) {
        refused = static_cast<QMessageBox*>(box)->text();
        static_cast<QMessageBox*>(box)->accept();
    });
    emit dialog->paintRequested(&printer);
    EXPECT_TRUE(refused.contains(QStringLiteral("ist eine Datei der Datenbank"))) << refused.toStdString();

    ChartModel chart;
    ChartView view(chart);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.archivePath());
    EXPECT_THROW(view.printTo(printer, check), AppError);
    EXPECT_EQ(dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
}
