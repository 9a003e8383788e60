#pragma once
// The port list "COM1" .. "COM199" and the devices behind its numbers. On
// Linux COM1-32 are /dev/ttyS0-31, COM33-64 /dev/ttyUSB0-31, COM65-96
// /dev/ttyACM0-31, and COM97-199 the paths the user assigned in the link
// settings; on Windows a number is its COM port.
#include <QList>
#include <QString>

#include <optional>

#include "platform/PortNumbers.h"

namespace orlan {

class CRegSetting;

// "COM7" for 7.
QString PortName(int portNumber);
// The device behind a port number; empty when there is none.
QString DevicePath(int portNumber, const CRegSetting& settings);
// The port number whose device is `devicePath`; 0 when none.
int PortNumberOf(const QString& devicePath, const CRegSetting& settings);

// What the user typed for a port: a number ("COM7", "com7", "7") or a
// device path ("/dev/pts/3"); exactly one is set.
struct PortInput {
    int portNumber = 0;
    QString devicePath;
};
std::optional<PortInput> ParsePortInput(const QString& text);

struct PortListEntry {
    QString name;   // "COM33"
    QString device; // the device behind it where one is present, else empty
};
// All kPortCount entries; entry i is port i + 1.
QList<PortListEntry> PortList(const CRegSetting& settings);

} // namespace orlan
