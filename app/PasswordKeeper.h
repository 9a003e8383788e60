#pragma once
// The terminal's password remembered per port in the desktop's keyring
// (QtKeychain: the Secret Service, KWallet, the Windows credential store),
// never in a file. Which ports have one is remembered with the window's
// choices (the port's name only). A keyring that does not answer is told
// once through `unavailable` and the tool carries on without it.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace orlan {

class CPasswordKeeper final : public QObject {
    Q_OBJECT
public:
    explicit CPasswordKeeper(QObject* parent = nullptr);

    // Whether a password is remembered for the port (the check box's state).
    bool Remembers(const QString& port) const;
    // Stores the password for the port and notes the port.
    void Remember(const QString& port, const QString& password);
    // Drops the port's password from the keyring and the note.
    void Forget(const QString& port);
    // Reads the port's password; `found` runs only with one that was read.
    void Recall(const QString& port, std::function<void(const QString&)> found);

Q_SIGNALS:
    // The keyring did not answer or refused: why, for the status line.
    void unavailable(const QString& reason);

private:
    void SetRemembered(const QString& port, bool on);
    void Failed(const QString& reason);

    bool m_toldUnavailable = false;
};

} // namespace orlan
