#pragma once
// A one-line status text that never widens the window: a text too long for
// its room ends in "…", and the whole text is in the tool tip. Texts may
// change on every received line; the label takes the newest at most once a
// frame, so it lays out, elides and paints at most once a frame.
#include <QLabel>
#include <QPainter>

#include "widgets/FrameThrottle.h"

namespace orlan {

class CElidingLabel final : public QLabel {
public:
    explicit CElidingLabel(QWidget* parent = nullptr) : QLabel(parent), m_refresh(this, [this] { ShowFullText(); }) {}

    void SetFullText(const QString& text)
    {
        if (text == m_fullText)
            return;
        m_fullText = text;
        m_refresh.Request();
    }
    // The newest text, shown by the end of the frame.
    const QString& FullText() const { return m_fullText; }
    const CFrameThrottle& Refresh() const { return m_refresh; }

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

private:
    void ShowFullText()
    {
        setText(m_fullText);
        setToolTip(m_fullText);
    }

    QString m_fullText;
    CFrameThrottle m_refresh;
};

} // namespace orlan
