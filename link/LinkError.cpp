#include "link/LinkError.h"

#include <QtGlobal>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace orlan {

namespace {

// Qt reports a refused open, a held lock and EBUSY alike as PermissionError.
// Whether the user may use the device at all tells them apart.
LinkError::Kind PermissionKind([[maybe_unused]] const QString& device)
{
#ifdef Q_OS_UNIX
    const QByteArray path = device.toLocal8Bit();
    if (::access(path.constData(), R_OK | W_OK) == 0)
        return LinkError::Kind::Busy;
    return errno == ENOENT ? LinkError::Kind::NoSuchDevice : LinkError::Kind::PermissionDenied;
#else
    // A Windows COM port refuses a second opener with "access denied".
    return LinkError::Kind::Busy;
#endif
}

} // namespace

LinkError MakeLinkError(LinkError::Kind kind, const QString& device, const QString& detail)
{
    QString text;
    switch (kind) {
    case LinkError::Kind::None:
        break;
    case LinkError::Kind::NoSuchDevice:
        text = QStringLiteral("The serial port %1 does not exist: check that the adapter is "
                              "plugged in and that the right port is selected.")
                   .arg(device);
        break;
    case LinkError::Kind::PermissionDenied:
        text = QStringLiteral("You may not use the serial port %1: add your user to the dialout "
                              "group and log in again, or give the device a udev rule with "
                              "TAG+=\"uaccess\".")
                   .arg(device);
        break;
    case LinkError::Kind::Busy:
        // `detail`, when known, names the holders.
        text = QStringLiteral("The serial port %1 is in use by %2: close that program and connect again.")
                   .arg(device, detail.isEmpty() ? QStringLiteral("another program") : detail);
        break;
    case LinkError::Kind::LinkLost:
        text = QStringLiteral("The link on %1 is gone: the cable was pulled or the device "
                              "was removed.")
                   .arg(device);
        break;
    case LinkError::Kind::Other:
        text = QStringLiteral("The serial port %1 could not be opened: %2.").arg(device, detail);
        break;
    }
    return {kind, text};
}

LinkError OpenFailure(QSerialPort::SerialPortError error, const QString& device,
                      const QString& detail)
{
    switch (error) {
    case QSerialPort::NoError:
        return {};
    case QSerialPort::DeviceNotFoundError:
        return MakeLinkError(LinkError::Kind::NoSuchDevice, device);
    case QSerialPort::PermissionError:
        return MakeLinkError(PermissionKind(device), device);
    default:
        return MakeLinkError(LinkError::Kind::Other, device, detail);
    }
}

} // namespace orlan
