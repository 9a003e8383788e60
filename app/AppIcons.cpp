#include "app/AppIcons.h"

#include <QPainter>
#include <QPainterPath>

#include "widgets/LazyIcons.h"

namespace orlan {

namespace {

const QColor kAccent(0x1f, 0x6f, 0xb2);

void PaintAppIcon(QPainter& painter, qreal s)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.2, s * 0.2);
    // Three signal bars rising to the right.
    painter.setBrush(Qt::white);
    const qreal barWidth = s * 0.16;
    for (int i = 0; i < 3; ++i) {
        const qreal height = s * (0.25 + 0.2 * i);
        painter.drawRoundedRect(QRectF(s * 0.2 + i * s * 0.22, s * 0.8 - height, barWidth, height), s * 0.04,
                                s * 0.04);
    }
}

} // namespace

QIcon AppIcon()
{
    QList<QSize> sizes;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        sizes.append(QSize(size, size));
    return PaintedIcon(PaintAppIcon, sizes);
}

QPixmap PortStatePixmap(const QColor& fill, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(fill.darker(130), 1));
    painter.setBrush(fill);
    const qreal margin = size * 0.15;
    painter.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    return pixmap;
}

QIcon RevealIcon(bool revealed)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        const QColor ink(0x50, 0x56, 0x5c);
        painter.setPen(QPen(ink, s / 14.0));
        QPainterPath lid;
        lid.moveTo(s * 0.08, s * 0.5);
        lid.quadTo(s * 0.5, s * 0.1, s * 0.92, s * 0.5);
        lid.quadTo(s * 0.5, s * 0.9, s * 0.08, s * 0.5);
        painter.drawPath(lid);
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.14, s * 0.14);
        if (!revealed)
            painter.drawLine(QPointF(s * 0.15, s * 0.85), QPointF(s * 0.85, s * 0.15));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace orlan
