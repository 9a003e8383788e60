#pragma once
// Follows serial ports coming and going while the program runs, without
// polling: the folders where ports appear are watched, changes are gathered
// for a moment into one portsChanged(), and the port in use is recognised
// when it comes back, under its by-id name, its USB identity or its path.
#include "link/PortDoctor.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace orlan {

// How a port is recognised again; the first field set wins.
struct SPortIdentity {
    QString byId;                          // a /dev/serial/by-id link
    QString vendorId, productId, serial;   // a USB adapter with a serial number
    QString path;                          // else the path the user opened

    bool Empty() const { return byId.isEmpty() && serial.isEmpty() && path.isEmpty(); }
};

// The identity of a port as the doctor identified it (while present).
SPortIdentity IdentityOf(const SPortFindings& identified);

class CPortWatcher final : public QObject {
    Q_OBJECT

public:
    // Changes within this time become one signal (udev makes the node,
    // then its links, then sets its permissions).
    static constexpr int kGatherMs = 300;

    explicit CPortWatcher(SDoctorRoots roots = {}, QObject* parent = nullptr);

    // The port in use, present now: its identity is taken at once.
    void Follow(const QString& devicePath);
    void StopFollowing();
    const SPortIdentity& Identity() const { return m_identity; }
    // The followed port is known to be gone (its link was lost, or opening
    // it failed): the next time it is found, portReturned() says so.
    // `lookSoon`: look once shortly even without a change (it may be back already).
    void MarkGone(bool lookSoon);
    // Where the followed port is now; empty when it is not there.
    QString Locate() const;

Q_SIGNALS:
    void portsChanged();
    void portReturned(const QString& devicePath);

private:
    void WatchFolders();
    void Rescan();

    SDoctorRoots m_roots;
    CPortDoctor m_doctor;
    QFileSystemWatcher m_watcher;
    QTimer m_gather;
    SPortIdentity m_identity;
    bool m_present = false;
};

} // namespace orlan
