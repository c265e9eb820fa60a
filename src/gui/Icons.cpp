#include "gui/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

template <typename Paint> QIcon painted(Paint paint) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return QIcon(pixmap);
}

} // namespace

namespace icons {

QIcon clover() {
    return painted([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 140, 40));
        for (const QPointF c :
             {QPointF(6.5, 6.5), QPointF(13.5, 6.5), QPointF(6.5, 13.5), QPointF(13.5, 13.5)})
            p.drawEllipse(c, 4.5, 4.5);
        p.setPen(QPen(QColor(20, 100, 30), 1.8));
        p.drawLine(QPointF(10, 10), QPointF(16, 19));
    });
}

QIcon bars() {
    return painted([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 150, 40));
        const int heights[] = {8, 14, 5, 17, 11};
        for (int i = 0; i < 5; ++i) p.drawRect(QRectF(1.5 + i * 3.6, 19 - heights[i], 2.8, heights[i]));
    });
}

QIcon surface() {
    return painted([](QPainter& p) {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                const int depth = (r * 3 + c * 5) % 7;
                p.fillRect(QRectF(2 + c * 4.1, 2 + r * 4.1, 3.6, 3.6),
                           QColor(255, 230 - depth * 30, 230 - depth * 30));
            }
    });
}

} // namespace icons
