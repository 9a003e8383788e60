#include "link/PortDiscovery.h"

#include "link/PortNames.h"
#include "platform/RegSetting.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>

namespace orlan {

QList<SerialDeviceInfo> SystemSerialDevices()
{
    QList<SerialDeviceInfo> devices;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports) {
        const bool hasIds = port.hasVendorIdentifier() && port.hasProductIdentifier();
        devices.append({port.systemLocation(), hasIds, port.vendorIdentifier(),
                        port.productIdentifier()});
    }
    return devices;
}

bool ProbePort(const QString& devicePath)
{
    QSerialPort port;
    port.setPortName(devicePath);
    port.setBaudRate(230400);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.clear(QSerialPort::AllDirections);
    port.close();
    return true;
}

QList<int> ListAdapterPorts(const DeviceLister& lister, const CRegSetting& settings)
{
    QList<int> ports;
    for (const SerialDeviceInfo& device : lister()) {
        if (!device.hasUsbIds || device.vendorId != kAdapterVendorId
            || device.productId != kAdapterProductId)
            continue;
        if (const int number = PortNumberOf(device.systemLocation, settings); number > 0)
            ports.append(number);
    }
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

bool ProbeAndSelect(CRegSetting& settings, const DeviceLister& lister, const PortProbe& probe)
{
    for (const int number : ListAdapterPorts(lister, settings)) {
        if (probe(DevicePath(number, settings))) {
            settings.WriteNumber(QLatin1String(kPortValueName), 0, number - 1);
            return true;
        }
    }
    return false;
}

} // namespace orlan
