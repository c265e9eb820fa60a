#pragma once

#include <QFont>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;
class QPagedPaintDevice;

// One element of a report band, in report pixels (96 per inch) from the band's top-left corner.
struct ReportElement {
    enum class Kind { Text, Image };

    QString name;
    Kind kind = Kind::Text;
    int left = 0;
    int top = 0;
    // Images only; a text element is as large as its text.
    int width = 0;
    int height = 0;
    QString caption;
    bool enabled = true;
    QFont font;     // point size as on paper
    QImage picture; // drawn at its own size from the element's corner, clipped to the element
};

// A one-page report with one band of positioned elements. The preview and the printer both draw it with
// render(), so what the user sees is what is printed.
class Report {
public:
    static constexpr double PixelsPerInch = 96.0;

    Report();

    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    // Paper, orientation and margins (millimetres).
    QPageLayout pageLayout() const { return layout_; }
    void setPageLayout(const QPageLayout& layout) { layout_ = layout; }
    QSize bandSize() const { return bandSize_; }
    void setBandSize(const QSize& size) { bandSize_ = size; }

    ReportElement& addText(const QString& name, int left, int top, const QString& caption, const QFont& font);
    ReportElement& addImage(const QString& name, int left, int top, int width, int height);

    bool has(const QString& name) const { return find(name) != nullptr; }
    // Throws AppError for a name the report does not have.
    ReportElement& element(const QString& name);
    const ReportElement& element(const QString& name) const;
    const std::vector<ReportElement>& elements() const { return elements_; }

    // The element's rectangle on the band; for text the extent of its caption in its font.
    QRectF elementRect(const ReportElement& element) const;

    // Draws the page: `paper` is the whole sheet in the painter's coordinates.
    void render(QPainter& painter, const QRectF& paper) const;
    // Gives the device this report's paper and margins.
    void applyPageSetup(QPagedPaintDevice& device) const;
    // Paints the page onto a device given this report's page setup: one whose painter origin is the sheet's
    // corner (a printer in full-page mode), or one that paints inside its margins from their corner (a PDF
    // writer, whose top and left margins are 0).
    void paint(QPagedPaintDevice& device, bool fromSheetCorner = false) const;

private:
    const ReportElement* find(const QString& name) const;

    QString title_;
    QPageLayout layout_;
    QSize bandSize_;
    std::vector<ReportElement> elements_;
};
