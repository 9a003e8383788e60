#pragma once
// Finding the USB serial adapter the terminal is normally attached through
// (Prolific PL2303, USB 067B:2303) and making its port the selected one.
#include <QList>
#include <QString>

#include <functional>

namespace orlan {

class CRegSetting;

inline constexpr quint16 kAdapterVendorId = 0x067B;
inline constexpr quint16 kAdapterProductId = 0x2303;

struct SerialDeviceInfo {
    QString systemLocation; // "/dev/ttyUSB0", "\\.\COM7"
    bool hasUsbIds = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
};

using DeviceLister = std::function<QList<SerialDeviceInfo>()>;
using PortProbe = std::function<bool(const QString& devicePath)>;

// The serial devices the system knows of (QSerialPortInfo).
QList<SerialDeviceInfo> SystemSerialDevices();
// Opens the device at 230400 8N1 and closes it again; true when it opened.
bool ProbePort(const QString& devicePath);

// Ascending port numbers of the attached adapters that have one.
QList<int> ListAdapterPorts(const DeviceLister& lister, const CRegSetting& settings);
// Stores the first adapter port that opens as the port value (number - 1)
// and returns true; false, with nothing written, when none opens.
bool ProbeAndSelect(CRegSetting& settings, const DeviceLister& lister = SystemSerialDevices,
                    const PortProbe& probe = ProbePort);

} // namespace orlan
