#pragma once
// The window draws its own documentation picture: shown at a fixed size, it
// waits for the first whole-configuration read to finish and the progress to
// close, saves a PNG of itself and reports how that went (without a read in
// time it still saves what it shows).
#include <QElapsedTimer>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTimer>

#include <functional>

namespace orlan {

class COrlanDlg;

class CScreenshotMode final : public QObject {
public:
    static constexpr QSize kWindowSize{1280, 800};
    static constexpr int kPollMs = 100;
    static constexpr int kPatienceMs = 60000;

    CScreenshotMode(COrlanDlg& window, QString path);

    // 0 saved, 1 the file could not be written, 2 no whole read in time
    // (the picture saved all the same),
    // 3 the port is held by another program (said at once: it will not free
    // itself while we wait).
    std::function<void(int status)> finished;

private:
    void Poll();
    void Finish(int status);
    bool SavePicture();

    COrlanDlg& m_window;
    QString m_path;
    QTimer m_poll;
    QElapsedTimer m_clock;
};

} // namespace orlan
