#pragma once
// Calls back once a shown top-level window has been painted for the first
// time, as a user would see it: the first expose of its native window makes
// the widgets paint and flush at once, so a call queued from there runs
// after that paint. Used by start-up measurements, which must not add a
// paint of their own (a grab() renders the window a second time and lays out
// hidden menus too).
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <utility>

namespace orlan {

class CFirstPaintWatch final : public QObject {
public:
    CFirstPaintWatch(QWidget& window, std::function<void()> painted)
        : QObject(&window), m_painted(std::move(painted))
    {
        window.winId();  // the native window exists before it is shown
        window.windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* native = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && native != nullptr && native->isExposed() && m_painted) {
            native->removeEventFilter(this);
            QTimer::singleShot(0, this, std::exchange(m_painted, nullptr));
        }
        return false;
    }

private:
    std::function<void()> m_painted;
};

} // namespace orlan
