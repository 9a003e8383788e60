#include "widgets/CellIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orlan {

namespace {

QPixmap DrawIcon(ECellIcon icon, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pen = size / 16.0;
    const QRectF box = QRectF(0, 0, size, size).adjusted(1.5 * pen, 1.5 * pen, -1.5 * pen, -1.5 * pen);
    switch (icon) {
    case ECellIcon::Alarm: {
        // A red disc with an exclamation mark.
        painter.setPen(QPen(QColor(0x8e, 0x1b, 0x10), pen));
        painter.setBrush(QColor(0xd9, 0x30, 0x25));
        painter.drawEllipse(box);
        painter.setPen(QPen(Qt::white, 2 * pen, Qt::SolidLine, Qt::RoundCap));
        const qreal x = box.center().x();
        painter.drawLine(QPointF(x, box.top() + 0.25 * box.height()), QPointF(x, box.top() + 0.58 * box.height()));
        painter.drawPoint(QPointF(x, box.top() + 0.77 * box.height()));
        break;
    }
    case ECellIcon::Normal: {
        // A green disc with a tick.
        painter.setPen(QPen(QColor(0x1e, 0x6b, 0x2e), pen));
        painter.setBrush(QColor(0x2e, 0xa0, 0x48));
        painter.drawEllipse(box);
        painter.setPen(QPen(Qt::white, 2 * pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(box.left() + 0.27 * box.width(), box.top() + 0.52 * box.height());
        tick.lineTo(box.left() + 0.45 * box.width(), box.top() + 0.70 * box.height());
        tick.lineTo(box.left() + 0.75 * box.width(), box.top() + 0.32 * box.height());
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
        break;
    }
    case ECellIcon::Fault: {
        // An amber triangle with an exclamation mark.
        QPainterPath triangle;
        triangle.moveTo(box.center().x(), box.top());
        triangle.lineTo(box.right(), box.bottom());
        triangle.lineTo(box.left(), box.bottom());
        triangle.closeSubpath();
        painter.setPen(QPen(QColor(0x8a, 0x5a, 0x00), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(0xf0, 0xa8, 0x20));
        painter.drawPath(triangle);
        painter.setPen(QPen(Qt::black, 1.6 * pen, Qt::SolidLine, Qt::RoundCap));
        const qreal x = box.center().x();
        painter.drawLine(QPointF(x, box.top() + 0.38 * box.height()), QPointF(x, box.top() + 0.68 * box.height()));
        painter.drawPoint(QPointF(x, box.top() + 0.84 * box.height()));
        break;
    }
    case ECellIcon::Offline: {
        // A grey ring with a bar across: nothing to report.
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 2 * pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(pen, pen, -pen, -pen));
        painter.drawLine(QPointF(box.left() + 0.3 * box.width(), box.center().y()),
                         QPointF(box.right() - 0.3 * box.width(), box.center().y()));
        break;
    }
    case ECellIcon::None:
        break;
    }
    return pixmap;
}

} // namespace

QIcon CellIcon(ECellIcon icon)
{
    if (icon == ECellIcon::None)
        return {};
    QIcon result;
    for (const int size : {16, 32})
        result.addPixmap(DrawIcon(icon, size));
    return result;
}

} // namespace orlan
