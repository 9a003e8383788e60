#include "app/StatusCanvas.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace orlan {

namespace {

constexpr int kMargin = 8;
constexpr int kLampCell = 50;   // the height of one lamp's cell
constexpr int kBarRow = 36;
constexpr int kTileHeight = 64;
constexpr int kEventRow = 20;
constexpr int kGap = 10;

const QColor kLit(46, 160, 67);
const QColor kDark(120, 120, 120);
const QColor kAlarm(214, 69, 65);
const QColor kGrey(150, 150, 150);

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString AgeWords(int64_t ageMs)
{
    const qint64 seconds = std::max<int64_t>(0, ageMs / 1000);
    if (seconds < 60)
        return QObject::tr("%1 s").arg(seconds);
    if (seconds < 3600)
        return QObject::tr("%1 min").arg(seconds / 60);
    if (seconds < 86400)
        return QObject::tr("%1 h").arg(seconds / 3600);
    return QObject::tr("%1 d").arg(seconds / 86400);
}

// A name the unit gives, else "Input 2".
QString Label(const std::string& name, const QString& fallback)
{
    return name.empty() ? fallback : Q(name);
}

QString Elided(const QPainter& painter, const QString& text, int width)
{
    return painter.fontMetrics().elidedText(text, Qt::ElideRight, width);
}

} // namespace

CStatusCanvas::CStatusCanvas(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("statusCanvas"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);
}

QString CStatusCanvas::AgeOf(const SReported& value, int64_t nowMs)
{
    return value.Reported() ? tr("%1 ago").arg(AgeWords(*value.AgeMs(nowMs))) : tr("not reported");
}

void CStatusCanvas::SetStatus(const SStatus& status, int64_t nowMs)
{
    const bool grew = status.events.size() != m_status.events.size();
    m_status = status;
    m_nowMs = nowMs;
    if (grew)
        updateGeometry();
    update();
}

int CStatusCanvas::Height() const
{
    const int heading = fontMetrics().height() + 10;
    return kMargin + heading + kLampCell + kGap + heading + 2 * kLampCell + kGap + heading + 4 * kBarRow + kGap
           + heading + 2 * kTileHeight + 8 + kGap + heading
           + std::max<int>(1, static_cast<int>(m_status.events.size())) * kEventRow + kMargin;
}

QSize CStatusCanvas::sizeHint() const
{
    return {900, Height()};
}

int CStatusCanvas::Heading(QPainter& painter, int y, const QString& text) const
{
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    const int h = fontMetrics().height() + 10;
    painter.drawText(QRect(kMargin, y, width() - 2 * kMargin, h), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawLine(kMargin, y + h - 2, width() - kMargin, y + h - 2);
    painter.setFont(font());
    return y + h;
}

void CStatusCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    int y = kMargin;
    y = Heading(painter, y, tr("Inputs"));
    y = PaintLamps(painter, y, m_status.inputs, true);
    y = Heading(painter, y + kGap, tr("Outputs"));
    y = PaintLamps(painter, y, m_status.outputs, false);
    y = Heading(painter, y + kGap, tr("Analog inputs"));
    y = PaintAnalog(painter, y);
    y = Heading(painter, y + kGap, tr("Temperatures and humidity"));
    y = PaintSensors(painter, y);
    y = Heading(painter, y + kGap, tr("Newest events"));
    PaintEvents(painter, y);
}

// Inputs in one row of four, outputs in two rows of four: a lamp, the name,
// the type and the state with its age.
int CStatusCanvas::PaintLamps(QPainter& painter, int y, std::span<const SStatusLamp> lamps, bool areInputs) const
{
    const size_t count = lamps.size();
    const int columns = 4;
    const int cellWidth = (width() - 2 * kMargin) / columns;
    const QFontMetrics metrics = fontMetrics();
    for (size_t i = 0; i < count; ++i) {
        const SStatusLamp& lamp = lamps[i];
        const int x = kMargin + static_cast<int>(i % columns) * cellWidth;
        const int top = y + static_cast<int>(i / columns) * kLampCell + 4;
        const bool reported = lamp.state.Reported();
        const QRect circle(x + 2, top + 4, 18, 18);
        painter.setPen(QPen(reported ? kDark : kGrey, 1.5));
        painter.setBrush(!reported ? QBrush(Qt::NoBrush) : lamp.lit ? QBrush(kLit) : QBrush(QColor(225, 225, 225)));
        painter.drawEllipse(circle);

        const int textX = x + 28;
        const int textWidth = cellWidth - 34;
        const QString fallback = (areInputs ? tr("Input %1") : tr("Output %1")).arg(i);
        painter.setPen(reported ? palette().color(QPalette::WindowText) : kGrey);
        painter.drawText(textX, top + metrics.ascent(), Elided(painter, QString::number(i) + QStringLiteral("  ")
                                                                            + Label(lamp.name, fallback), textWidth));
        painter.setPen(kGrey);
        const QString state = reported ? (lamp.lit ? tr("closed") : tr("open")) : QString();
        const QString second = lamp.type.empty() ? state : (state.isEmpty() ? Q(lamp.type) : state + QStringLiteral(" · ") + Q(lamp.type));
        painter.drawText(textX, top + metrics.height() + metrics.ascent(), Elided(painter, second, textWidth));
        painter.drawText(textX, top + 2 * metrics.height() + metrics.ascent(),
                         Elided(painter, AgeOf(lamp.state, m_nowMs), textWidth));
    }
    return y + static_cast<int>((count + columns - 1) / columns) * kLampCell;
}

// Each analog input: its name, a bar from its scale's start to its end with
// the alarm range below the low and above the high threshold shaded, the
// reading as a needle, and the reading with its unit and age.
int CStatusCanvas::PaintAnalog(QPainter& painter, int y) const
{
    const QFontMetrics metrics = fontMetrics();
    const int nameWidth = std::min(220, width() / 4);
    const int valueWidth = std::min(260, width() / 3);
    const int barX = kMargin + nameWidth + 8;
    const int barWidth = std::max(60, width() - 2 * kMargin - nameWidth - valueWidth - 16);
    for (size_t i = 0; i < m_status.analog.size(); ++i) {
        const SStatusAnalog& channel = m_status.analog[i];
        const int top = y + static_cast<int>(i) * kBarRow;
        const bool reported = channel.reading.Reported();
        const bool off = channel.enabled == false;
        painter.setPen(reported && !off ? palette().color(QPalette::WindowText) : kGrey);
        QString name = QString::number(i) + QStringLiteral("  ") + Label(channel.name, tr("Analog %1").arg(i));
        if (off)
            name += QStringLiteral(" (") + tr("off") + QStringLiteral(")");
        painter.drawText(QRect(kMargin, top, nameWidth, kBarRow - 8), Qt::AlignLeft | Qt::AlignVCenter,
                         Elided(painter, name, nameWidth));

        // The scale: from 0 (or a lower threshold below it) to past the high one.
        bool parsed = false;
        const double reading = QString::fromStdString(channel.reading.text).toDouble(&parsed);
        double low = std::min(0.0, channel.low.value_or(0.0));
        double high = std::max({channel.high.value_or(0.0) * 1.2, channel.low.value_or(0.0) * 1.2, 1.0});
        if (parsed && reported)
            high = std::max(high, reading * 1.1);
        if (parsed && reported)
            low = std::min(low, reading);
        const auto xOf = [&](double value) {
            return barX + static_cast<int>(std::lround((value - low) / (high - low) * barWidth));
        };
        const QRect bar(barX, top + 10, barWidth, 14);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(232, 232, 232));
        painter.drawRect(bar);
        QColor alarm = kAlarm;
        alarm.setAlpha(off ? 40 : 90);
        painter.setBrush(alarm);
        if (channel.low)
            painter.drawRect(QRect(QPoint(barX, bar.top()), QPoint(xOf(*channel.low), bar.bottom())));
        if (channel.high)
            painter.drawRect(QRect(QPoint(xOf(*channel.high), bar.top()), QPoint(barX + barWidth, bar.bottom())));
        if (parsed && reported) {
            const bool inAlarm = (channel.low && reading < *channel.low) || (channel.high && reading > *channel.high);
            painter.setBrush(off ? kGrey : inAlarm ? kAlarm : kLit);
            painter.drawRect(QRect(QPoint(barX, bar.top() + 3), QPoint(xOf(reading), bar.bottom() - 3)));
            painter.setPen(QPen(palette().color(QPalette::WindowText), 2));
            painter.drawLine(xOf(reading), bar.top() - 3, xOf(reading), bar.bottom() + 3);
        }
        painter.setPen(QPen(kGrey, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar);
        painter.setPen(kGrey);
        const QString range = tr("alarm below %1 or above %2")
                                  .arg(channel.low ? QString::number(*channel.low) : QStringLiteral("?"),
                                       channel.high ? QString::number(*channel.high) : QStringLiteral("?"));
        painter.drawText(QRect(barX, bar.bottom() + 2, barWidth, metrics.height()), Qt::AlignLeft, range);

        const QString unit = channel.kind == EAnalogKind::Voltage   ? tr("V")
                             : channel.kind == EAnalogKind::Current ? tr("mA")
                                                                    : QString();
        const QString value = reported ? Q(channel.reading.text) + (unit.isEmpty() ? QString() : QStringLiteral(" ") + unit)
                                       : QStringLiteral("—");
        const int valueX = barX + barWidth + 12;
        QFont big = font();
        big.setBold(true);
        painter.setFont(big);
        painter.setPen(reported && !off ? palette().color(QPalette::WindowText) : kGrey);
        painter.drawText(QRect(valueX, top, valueWidth, kBarRow / 2 + 4), Qt::AlignLeft | Qt::AlignVCenter, value);
        painter.setFont(font());
        painter.setPen(kGrey);
        painter.drawText(QRect(valueX, top + kBarRow / 2, valueWidth, kBarRow / 2), Qt::AlignLeft | Qt::AlignTop,
                         AgeOf(channel.reading, m_nowMs));
    }
    return y + static_cast<int>(m_status.analog.size()) * kBarRow;
}

// Eight tiles in two rows: the internal temperature, the humidity and the six
// external sensors, each with its latest reading, age and a small trend.
int CStatusCanvas::PaintSensors(QPainter& painter, int y) const
{
    struct STile {
        QString name;
        const SStatusSensor* sensor;
        QString unit;
    };
    std::vector<STile> tiles = {{tr("Internal temperature"), &m_status.internalTemp, QStringLiteral("°C")},
                                {tr("Humidity"), &m_status.humidity, QStringLiteral("%")}};
    for (size_t i = 0; i < m_status.external.size(); ++i)
        tiles.push_back({Label(m_status.external[i].name, tr("Sensor %1").arg(i + 1)), &m_status.external[i],
                         QStringLiteral("°C")});
    const int columns = 4;
    const int tileWidth = (width() - 2 * kMargin - (columns - 1) * 8) / columns;
    const QFontMetrics metrics = fontMetrics();
    for (size_t i = 0; i < tiles.size(); ++i) {
        const STile& tile = tiles[i];
        const SStatusSensor& sensor = *tile.sensor;
        const bool reported = sensor.reading.Reported();
        const QRect box(kMargin + static_cast<int>(i % columns) * (tileWidth + 8),
                        y + 4 + static_cast<int>(i / columns) * (kTileHeight + 4), tileWidth, kTileHeight);
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRoundedRect(box, 4, 4);
        const QRect inner = box.adjusted(8, 4, -8, -4);
        painter.setPen(reported ? palette().color(QPalette::WindowText) : kGrey);
        painter.drawText(QRect(inner.left(), inner.top(), inner.width(), metrics.height()), Qt::AlignLeft,
                         Elided(painter, tile.name, inner.width()));
        QFont big = font();
        big.setPointSizeF(font().pointSizeF() * 1.5);
        big.setBold(true);
        painter.setFont(big);
        const QString value = reported ? Q(sensor.reading.text) + QStringLiteral(" ") + tile.unit : QStringLiteral("—");
        const int valueTop = inner.top() + metrics.height();
        const int valueHeight = QFontMetrics(big).height();
        painter.drawText(QRect(inner.left(), valueTop, inner.width() / 2 + 20, valueHeight), Qt::AlignLeft, value);
        painter.setFont(font());
        painter.setPen(kGrey);
        painter.drawText(QRect(inner.left(), valueTop + valueHeight, inner.width(), metrics.height()), Qt::AlignLeft,
                         Elided(painter, AgeOf(sensor.reading, m_nowMs), inner.width()));

        // The trend: the latest samples, scaled to their own range.
        if (sensor.trend.size() >= 2) {
            const QRect spark(inner.left() + inner.width() / 2 + 24, valueTop + 2, inner.width() / 2 - 24,
                              valueHeight - 2);
            const auto [lowest, highest] = std::minmax_element(sensor.trend.begin(), sensor.trend.end());
            const double span = std::max(*highest - *lowest, 0.5);
            QPainterPath path;
            for (size_t s = 0; s < sensor.trend.size(); ++s) {
                const double px = spark.left() + spark.width() * static_cast<double>(s) / (sensor.trend.size() - 1);
                const double py = spark.bottom() - (sensor.trend[s] - *lowest) / span * spark.height();
                if (s == 0)
                    path.moveTo(px, py);
                else
                    path.lineTo(px, py);
            }
            painter.setPen(QPen(reported ? QColor(52, 101, 164) : kGrey, 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
        }
    }
    return y + 4 + 2 * (kTileHeight + 4) + 4;
}

int CStatusCanvas::PaintEvents(QPainter& painter, int y) const
{
    const QFontMetrics metrics = fontMetrics();
    if (m_status.events.empty()) {
        painter.setPen(kGrey);
        painter.drawText(QRect(kMargin, y, width() - 2 * kMargin, kEventRow), Qt::AlignLeft | Qt::AlignVCenter,
                         tr("No events yet"));
        return y + kEventRow;
    }
    const int timeWidth = std::min(280, metrics.horizontalAdvance(Q(m_status.events.front().time)) + 16);
    for (const SStatusEvent& event : m_status.events) {
        painter.setPen(kGrey);
        painter.drawText(QRect(kMargin, y, timeWidth, kEventRow), Qt::AlignLeft | Qt::AlignVCenter,
                         Elided(painter, Q(event.time), timeWidth));
        painter.setPen(palette().color(QPalette::WindowText));
        const int width = this->width() - 2 * kMargin - timeWidth;
        painter.drawText(QRect(kMargin + timeWidth, y, width, kEventRow), Qt::AlignLeft | Qt::AlignVCenter,
                         Elided(painter, Q(event.what), width));
        y += kEventRow;
    }
    return y;
}

} // namespace orlan
