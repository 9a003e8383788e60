#include "link/PortNames.h"

#include "platform/RegSetting.h"

#include <QFileInfo>

#include <array>

namespace orlan {

namespace {

#ifndef Q_OS_WIN
struct DeviceFamily {
    const char* prefix;
    int firstPort;
};
// Each family covers 32 consecutive port numbers.
constexpr int kFamilySize = 32;
constexpr std::array<DeviceFamily, 3> kFamilies{{
    {"/dev/ttyS", 1},
    {"/dev/ttyUSB", 33},
    {"/dev/ttyACM", 65},
}};
#endif

// The number in `text` when it is written plainly ("7", not "07" or "+7").
int PlainNumber(QStringView text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 0 || QString::number(number) != text)
        return -1;
    return number;
}

} // namespace

QString PortName(int portNumber)
{
    return QStringLiteral("COM%1").arg(portNumber);
}

QString DevicePath(int portNumber, [[maybe_unused]] const CRegSetting& settings)
{
    if (portNumber < 1 || portNumber > kPortCount)
        return {};
#ifdef Q_OS_WIN
    return PortName(portNumber);
#else
    for (const DeviceFamily& family : kFamilies) {
        if (portNumber >= family.firstPort && portNumber < family.firstPort + kFamilySize)
            return QLatin1String(family.prefix) + QString::number(portNumber - family.firstPort);
    }
    return settings.UserPortPath(portNumber);
#endif
}

int PortNumberOf(const QString& devicePath, [[maybe_unused]] const CRegSetting& settings)
{
    if (devicePath.isEmpty())
        return 0;
#ifdef Q_OS_WIN
    QStringView name(devicePath);
    if (name.startsWith(u"\\\\.\\"))
        name = name.mid(4);
    if (!name.startsWith(u"COM", Qt::CaseInsensitive))
        return 0;
    const int number = PlainNumber(name.mid(3));
    return number >= 1 && number <= kPortCount ? number : 0;
#else
    for (const DeviceFamily& family : kFamilies) {
        const QLatin1String prefix(family.prefix);
        if (!devicePath.startsWith(prefix))
            continue;
        const int index = PlainNumber(QStringView(devicePath).mid(prefix.size()));
        if (index >= 0 && index < kFamilySize)
            return family.firstPort + index;
    }
    for (int number = kFirstUserPort; number <= kPortCount; ++number) {
        if (settings.UserPortPath(number) == devicePath)
            return number;
    }
    return 0;
#endif
}

std::optional<PortInput> ParsePortInput(const QString& text)
{
    const QString trimmed = text.trimmed();
#ifdef Q_OS_WIN
    if (trimmed.startsWith(u"\\\\.\\"))
        return PortInput{0, trimmed};
#else
    if (trimmed.startsWith(u'/'))
        return PortInput{0, trimmed};
#endif
    QStringView digits(trimmed);
    if (digits.startsWith(u"COM", Qt::CaseInsensitive))
        digits = digits.mid(3);
    const int number = PlainNumber(digits);
    if (number < 1 || number > kPortCount)
        return std::nullopt;
    return PortInput{number, {}};
}

QList<PortListEntry> PortList([[maybe_unused]] const CRegSetting& settings)
{
    QList<PortListEntry> entries;
    entries.reserve(kPortCount);
    for (int number = 1; number <= kPortCount; ++number) {
        PortListEntry entry{PortName(number), {}};
#ifndef Q_OS_WIN
        const QString device = DevicePath(number, settings);
        if (!device.isEmpty() && QFileInfo::exists(device))
            entry.device = device;
#endif
        entries.append(entry);
    }
    return entries;
}

} // namespace orlan
