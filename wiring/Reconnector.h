#pragma once
// Brings the link back when the adapter it was on returns: a port that
// closed by loss is remembered by the watcher; when it is found again it is
// reopened, and the session reads the whole configuration, which logs in
// again where the terminal asks for the password (as at start).
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace orlan {

class CTerminalLink;
class CPortWatcher;

class CReconnector final : public QObject {
    Q_OBJECT

public:
    // A port that is found but does not open yet (udev still setting its
    // permissions) is tried again after these waits, each twice the last.
    static constexpr int kFirstRetryMs = 500;
    static constexpr int kRetries = 3;

    // Both must outlive this object.
    CReconnector(CTerminalLink& link, CPortWatcher& watcher, QObject* parent = nullptr);

    bool Waiting() const { return m_state == EState::Waiting; }
    // Lost and not yet back: waiting for the adapter or reopening it.
    bool FollowingLoss() const { return m_state == EState::Waiting || m_state == EState::Reopening; }

    // How the returned terminal is read whole; by default the session's
    // Reload(). A view holding unwritten edits may ask before they are
    // replaced; a terminal that logged out is logged in by the read.
    std::function<void()> readWhole;

Q_SIGNALS:
    // For the status bar: the adapter went, came back, or could not be reopened.
    void statusText(const QString& text);
    // The port was reopened on `devicePath` and the whole read was asked for.
    void reconnected(const QString& devicePath);

private:
    enum class EState {
        Idle,       // nothing followed, or the user closed the port
        Connected,  // the port is open and followed
        Waiting,    // lost; waiting for it to come back
        Reopening,  // found again; the channel is opening it
    };

    void OnOpened();
    void OnClosed(const QString& reason);
    void OnReturned(const QString& devicePath);
    void Retry();

    CTerminalLink& m_link;
    CPortWatcher& m_watcher;
    EState m_state = EState::Idle;
    QString m_lostOn;     // the device path in use when the link was lost
    QString m_reopening;  // the path being opened
    int m_retries = 0;
    QTimer m_retry;
};

} // namespace orlan
