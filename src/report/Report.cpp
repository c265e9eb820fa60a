#include "report/Report.h"

#include "platform/AppError.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// Fonts are given in points on paper. The painter is scaled from report pixels to device pixels, and the
// device converts points with its own resolution, so the size is corrected by 96 / device dpi.
QFont deviceFont(const QFont& font, int deviceDpi) {
    QFont scaled = font;
    scaled.setPointSizeF(font.pointSizeF() * Report::PixelsPerInch / deviceDpi);
    return scaled;
}

} // namespace

Report::Report()
    : layout_(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter),
      bandSize_(794, 481) {}

ReportElement& Report::addText(const QString& name, int left, int top, const QString& caption,
                               const QFont& font) {
    ReportElement e;
    e.name = name;
    e.kind = ReportElement::Kind::Text;
    e.left = left;
    e.top = top;
    e.caption = caption;
    e.font = font;
    elements_.push_back(e);
    return elements_.back();
}

ReportElement& Report::addImage(const QString& name, int left, int top, int width, int height) {
    ReportElement e;
    e.name = name;
    e.kind = ReportElement::Kind::Image;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    elements_.push_back(e);
    return elements_.back();
}

const ReportElement* Report::find(const QString& name) const {
    for (const ReportElement& e : elements_)
        if (e.name == name) return &e;
    return nullptr;
}

ReportElement& Report::element(const QString& name) {
    return const_cast<ReportElement&>(static_cast<const Report&>(*this).element(name));
}

const ReportElement& Report::element(const QString& name) const {
    const ReportElement* e = find(name);
    if (!e) throw AppError(QStringLiteral("Der Bericht hat kein Element \"%1\".").arg(name));
    return *e;
}

QRectF Report::elementRect(const ReportElement& element) const {
    if (element.kind == ReportElement::Kind::Image)
        return QRectF(element.left, element.top, element.width, element.height);
    // Measured on a 96 dpi image, where a report pixel is a device pixel.
    QImage probe(1, 1, QImage::Format_ARGB32);
    probe.setDotsPerMeterX(3780);
    probe.setDotsPerMeterY(3780);
    const QFontMetricsF fm(deviceFont(element.font, probe.logicalDpiY()), &probe);
    return QRectF(element.left, element.top, fm.horizontalAdvance(element.caption), fm.height());
}

void Report::render(QPainter& painter, const QRectF& paper) const {
    const double paperWidthPx = layout_.fullRect(QPageLayout::Inch).width() * PixelsPerInch;
    const double scale = paper.width() / paperWidthPx;
    const QMarginsF margins = layout_.margins(QPageLayout::Inch) * PixelsPerInch;
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : static_cast<int>(PixelsPerInch);

    painter.save();
    painter.translate(paper.topLeft());
    painter.scale(scale, scale);
    painter.translate(margins.left(), margins.top());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(bandSize_)), Qt::white);

    for (const ReportElement& e : elements_) {
        if (!e.enabled) continue;
        if (e.kind == ReportElement::Kind::Image) {
            if (e.picture.isNull()) continue;
            painter.save();
            painter.setClipRect(QRectF(e.left, e.top, e.width, e.height), Qt::IntersectClip);
            painter.drawImage(QPointF(e.left, e.top), e.picture);
            painter.restore();
        } else {
            if (e.caption.trimmed().isEmpty()) continue;
            const QFont font = deviceFont(e.font, dpi);
            painter.setFont(font);
            painter.setPen(Qt::black);
            // Metrics of the corrected font are in report pixels; the element's top is the top of its
            // text, so the baseline sits one ascent below it.
            const QFontMetricsF fm(font, painter.device());
            painter.drawText(QPointF(e.left, e.top + fm.ascent()), e.caption);
        }
    }
    painter.restore();
}

void Report::applyPageSetup(QPagedPaintDevice& device) const {
    device.setPageLayout(layout_);
}

void Report::paint(QPagedPaintDevice& device, bool fromSheetCorner) const {
    const int dpi = device.logicalDpiX();
    // The sheet's exact size: the rounded pixel rectangle would shrink the print by up to a pixel.
    QRectF paper(QPointF(0, 0), device.pageLayout().fullRect(QPageLayout::Inch).size() * dpi);
    // Devices that paint inside the margins put their origin at the margin's corner.
    if (!fromSheetCorner) paper.translate(-device.pageLayout().paintRectPixels(dpi).topLeft());
    QPainter painter(&device);
    render(painter, paper);
}
