#include "widgets/LazyIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

#include <map>
#include <tuple>
#include <utility>

namespace orlan {

namespace {

// Keeps each pixmap it made, by size, scale, mode and state.
class CSizedIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        if (size.isEmpty())
            return {};
        const CacheKey key{size.width(), size.height(), scale, mode, state};
        const auto found = m_made.find(key);
        if (found != m_made.end())
            return found->second;
        return m_made.emplace(key, Make(size, scale, mode, state)).first->second;
    }
    bool isNull() override { return false; }

protected:
    virtual QPixmap Make(QSize size, qreal scale, QIcon::Mode mode, QIcon::State state) = 0;

private:
    using CacheKey = std::tuple<int, int, qreal, QIcon::Mode, QIcon::State>;
    std::map<CacheKey, QPixmap> m_made;
};

class CPaintedIconEngine final : public CSizedIconEngine {
public:
    CPaintedIconEngine(FIconPainter draw, QList<QSize> sizes) : m_draw(std::move(draw)), m_sizes(std::move(sizes)) {}
    QIconEngine* clone() const override { return new CPaintedIconEngine(m_draw, m_sizes); }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return m_sizes; }

protected:
    QPixmap Make(QSize size, qreal scale, QIcon::Mode mode, QIcon::State) override
    {
        const int side = qRound(qMin(size.width(), size.height()) * scale);
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            m_draw(painter, side);
        }
        pixmap.setDevicePixelRatio(scale);
        if (mode == QIcon::Normal || QApplication::style() == nullptr)
            return pixmap;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }

private:
    FIconPainter m_draw;
    QList<QSize> m_sizes;
};

class CStyleIconEngine final : public CSizedIconEngine {
public:
    explicit CStyleIconEngine(QStyle::StandardPixmap which) : m_which(which) {}
    QIconEngine* clone() const override { return new CStyleIconEngine(m_which); }

protected:
    QPixmap Make(QSize size, qreal scale, QIcon::Mode mode, QIcon::State state) override
    {
        // The whole icon lives only while this one size is taken from it.
        return QApplication::style()->standardIcon(m_which).pixmap(size, scale, mode, state);
    }

private:
    QStyle::StandardPixmap m_which;
};

} // namespace

QIcon PaintedIcon(FIconPainter draw, QList<QSize> sizes)
{
    return QIcon(new CPaintedIconEngine(std::move(draw), std::move(sizes)));
}

QIcon StyleIcon(QStyle::StandardPixmap which)
{
    return QIcon(new CStyleIconEngine(which));
}

} // namespace orlan
