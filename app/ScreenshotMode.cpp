#include "app/ScreenshotMode.h"

#include <QPixmap>
#include <QSaveFile>

#include <cstdio>

#include "app/OrlanDlg.h"

namespace orlan {

CScreenshotMode::CScreenshotMode(COrlanDlg& window, QString path) : m_window(window), m_path(std::move(path))
{
    m_window.resize(kWindowSize);
    m_window.show();
    m_clock.start();
    connect(&m_poll, &QTimer::timeout, this, [this] { Poll(); });
    m_poll.start(kPollMs);
}

void CScreenshotMode::Poll()
{
    if (m_window.WholeReads() > 0 && !m_window.Progress().Visible()) {
        QSaveFile file(m_path);
        const bool saved = file.open(QIODevice::WriteOnly) && m_window.grab().save(&file, "PNG") && file.commit();
        if (!saved)
            std::fprintf(stderr, "orlan: cannot write %s: %s\n", m_path.toLocal8Bit().constData(),
                         file.errorString().toLocal8Bit().constData());
        Finish(saved ? 0 : 1);
    } else if (m_clock.elapsed() > kPatienceMs) {
        std::fprintf(stderr, "orlan: no whole configuration read within %d s\n", kPatienceMs / 1000);
        Finish(2);
    }
}

void CScreenshotMode::Finish(int status)
{
    m_poll.stop();
    if (finished)
        finished(status);
}

} // namespace orlan
