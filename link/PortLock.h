#pragma once
// One port, one program, whatever path names it. Two locks keep a second
// opener out: the lock file in the system's lock folder (QSerialPort's own,
// named after the device's canonical name, so a symbolic link to the device
// meets the same file), and flock() on the open descriptor, which catches a
// path the lock file misses and any other program that flocks its port.
// Being root or on a pseudo-terminal, TIOCEXCL alone keeps nobody out.
#include "link/LinkError.h"

#include <QString>

namespace orlan {

// The device a path leads to (every link resolved); the path itself when it
// does not resolve.
QString CanonicalDevicePath(const QString& path);

// flock(LOCK_EX | LOCK_NB) on an open descriptor: false when another open of
// the device holds it. True where the system has no such lock.
bool LockOpenDevice(int descriptor);

// "in use by orlan-cli (PID 4711)": the processes that hold `device` (the
// port doctor's look into /proc), without the far end of a pseudo-terminal.
LinkError PortBusyError(const QString& label, const QString& device);

} // namespace orlan
