#include "widgets/PictureView.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orlan {

namespace {

// An empty frame has the proportions of the terminal's camera pictures.
constexpr double kEmptyAspect = 4.0 / 3.0;
// Widths in average characters: the preferred and the least width.
constexpr int kPreferredChars = 48;
constexpr int kMinimumChars = 12;

} // namespace

CPictureView::CPictureView(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CPictureView::SetBytes(const std::string& bytes)
{
    if (bytes == m_bytes)
        return;
    m_bytes = bytes;
    const auto size = static_cast<qsizetype>(m_bytes.size());
    const QImage image = QImage::fromData(QByteArray::fromRawData(m_bytes.data(), size));
    m_picture = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    m_scaled = QPixmap();
    updateGeometry();
    update();
}

QSizeF CPictureView::Proportions() const
{
    if (m_picture.isNull() || m_picture.height() == 0)
        return {kEmptyAspect, 1.0};
    return QSizeF(m_picture.size());
}

int CPictureView::heightForWidth(int width) const
{
    const int frame = 2 * frameWidth();
    const QSizeF proportions = Proportions();
    const double inner = std::max(width - frame, 0);
    return frame + static_cast<int>(std::lround(inner * proportions.height() / proportions.width()));
}

QSize CPictureView::sizeHint() const
{
    // A small picture is not blown up beyond its own size unless the form is wider.
    int width = kPreferredChars * fontMetrics().averageCharWidth();
    if (!m_picture.isNull())
        width = std::min(width, m_picture.width() + 2 * frameWidth());
    width = std::max(width, minimumSizeHint().width());
    return {width, heightForWidth(width)};
}

QSize CPictureView::minimumSizeHint() const
{
    const int width = kMinimumChars * fontMetrics().averageCharWidth();
    return {width, heightForWidth(width)};
}

void CPictureView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    const QRect area = contentsRect();
    if (area.isEmpty())
        return;
    if (m_scaled.isNull() || m_scaledFor != area.size()) {
        m_scaled = m_picture.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_scaledFor = area.size();
    }
    QPainter painter(this);
    const QPoint origin(area.x() + (area.width() - m_scaled.width()) / 2,
                        area.y() + (area.height() - m_scaled.height()) / 2);
    painter.drawPixmap(origin, m_scaled);
}

} // namespace orlan
