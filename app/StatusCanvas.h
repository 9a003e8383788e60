#pragma once
// The painted part of the unit at a glance: lamps, bars, small trends and
// the newest events, each value with its age, greyed while not reported.
#include <QWidget>

#include <span>

#include "session/StatusOverview.h"

namespace orlan {

class CStatusCanvas final : public QWidget {
    Q_OBJECT
public:
    explicit CStatusCanvas(QWidget* parent = nullptr);

    void SetStatus(const SStatus& status, int64_t nowMs);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return {560, 400}; }

    // "12 s ago", "not reported".
    static QString AgeOf(const SReported& value, int64_t nowMs);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int Heading(QPainter& painter, int y, const QString& text) const;
    int PaintLamps(QPainter& painter, int y, std::span<const SStatusLamp> lamps, bool inputs) const;
    int PaintAnalog(QPainter& painter, int y) const;
    int PaintSensors(QPainter& painter, int y) const;
    int PaintEvents(QPainter& painter, int y) const;
    int Height() const;

    SStatus m_status;
    int64_t m_nowMs = 0;
};

} // namespace orlan
