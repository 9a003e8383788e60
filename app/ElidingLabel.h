#pragma once
// A one-line status text that never widens the window: a text too long for
// its room ends in "…", and the whole text is in the tool tip.
#include <QLabel>
#include <QPainter>

namespace orlan {

class CElidingLabel final : public QLabel {
public:
    using QLabel::QLabel;

    void SetFullText(const QString& text)
    {
        setText(text);
        setToolTip(text);
    }
    QSize minimumSizeHint() const override { return {fontMetrics().averageCharWidth() * 6, QLabel::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        const QRect room = contentsRect();
        painter.drawText(room, Qt::AlignVCenter | Qt::AlignLeft,
                         fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
    }
};

} // namespace orlan
