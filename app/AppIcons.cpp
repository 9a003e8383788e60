#include "app/AppIcons.h"

#include <QPainter>

namespace orlan {

namespace {

const QColor kAccent(0x1f, 0x6f, 0xb2);

QPixmap IconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
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
    return pixmap;
}

} // namespace

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(IconPixmap(size));
    return icon;
}

QPixmap PortStatePixmap(bool open, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = open ? QColor(0x2e, 0xa0, 0x43) : QColor(0x9a, 0xa0, 0xa6);
    painter.setPen(QPen(fill.darker(130), 1));
    painter.setBrush(fill);
    const qreal margin = size * 0.15;
    painter.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    return pixmap;
}

} // namespace orlan
