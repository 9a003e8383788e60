#include "app/ScreenshotMode.h"

#include <QBuffer>
#include <QPixmap>

#include <cstdio>

#include "app/FileAccess.h"
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
    // A profile file shown is all the window will show.
    const bool shown = m_window.WholeReads() > 0 || !m_window.Options().profilePath.isEmpty();
    if (shown && !m_window.Progress().Visible()) {
        Finish(SavePicture() ? 0 : 1);
    } else if (const LinkError error = m_window.PortError(); error.kind == LinkError::Kind::Busy) {
        std::fprintf(stderr, "orlan: %s\n", error.text.toLocal8Bit().constData());
        Finish(3);
    } else if (m_clock.elapsed() > kPatienceMs) {
        // The picture still shows what the window says about a link without
        // a read (silent port, lost adapter).
        SavePicture();
        std::fprintf(stderr, "orlan: no whole configuration read within %d s\n", kPatienceMs / 1000);
        Finish(2);
    }
}

bool CScreenshotMode::SavePicture()
{
    QByteArray png;
    QBuffer buffer(&png);
    QString why;
    if (!buffer.open(QIODevice::WriteOnly) || !m_window.grab().save(&buffer, "PNG"))
        why = QStringLiteral("the picture could not be made");
    else
        why = WriteFileSafely(m_path, png, {ENewFileMode::Shared, ELinkPolicy::WriteThrough});
    if (!why.isEmpty())
        std::fprintf(stderr, "orlan: cannot write %s: %s\n", m_path.toLocal8Bit().constData(),
                     why.toLocal8Bit().constData());
    return why.isEmpty();
}

void CScreenshotMode::Finish(int status)
{
    m_poll.stop();
    if (finished)
        finished(status);
}

} // namespace orlan
