#pragma once
// Why the serial channel is not open, in words the user can act on.
#include <QSerialPort>
#include <QString>

namespace orlan {

struct LinkError {
    enum class Kind { None, NoSuchDevice, PermissionDenied, Busy, LinkLost, Other };
    Kind kind = Kind::None;
    QString text; // one user-facing sentence; empty for None
};

// `device` is the path (or port name) shown to the user; `detail` is the
// system's own error text, used only where no better sentence exists; for
// Busy it names who holds the port ("orlan-cli (PID 4711)").
LinkError OpenFailure(QSerialPort::SerialPortError error, const QString& device,
                      const QString& detail);
LinkError MakeLinkError(LinkError::Kind kind, const QString& device, const QString& detail = {});

} // namespace orlan
