#include "link/PortDoctorText.h"

#include <QStringList>

namespace orlan {

namespace {

constexpr const char* kAdapterRule = "60-orlan-adapter.rules";

QString UsbText(const SPortFindings& f)
{
    if (!f.usb)
        return QStringLiteral("not a USB device");
    QString text = f.vendorId + QLatin1Char(':') + f.productId;
    if (!f.serial.isEmpty())
        text += QStringLiteral(", serial ") + f.serial;
    const QString name = QStringList{f.manufacturer, f.product}.join(QLatin1Char(' ')).trimmed();
    if (!name.isEmpty())
        text += QStringLiteral(", ") + name;
    if (f.supportedAdapter)
        text += QStringLiteral(" (the supported PL2303 adapter)");
    return text;
}

QString AccessText(const SPortFindings& f)
{
    const QString mode = QStringLiteral("%1, group %2").arg(f.modeText, f.groupName);
    switch (f.access) {
    case EPortAccess::Allowed:
        return QStringLiteral("you may open it for reading and writing");
    case EPortAccess::AllowedAsRoot:
        return QStringLiteral("running as root, which opens any device: this says nothing of other users (%1)")
            .arg(mode);
    case EPortAccess::JoinGroup:
    case EPortAccess::NewLogin:
    case EPortAccess::NoRule:
        break;
    }
    return QStringLiteral("you may not open it (%1): %2").arg(mode, AccessAdvice(f));
}

QString HoldersText(const SPortFindings& f)
{
    QStringList names;
    for (const SPortHolder& holder : f.holders) {
        if (holder.self)
            names.append(QStringLiteral("this program (PID %1)").arg(holder.pid));
        else if (holder.peer)
            names.append(QStringLiteral("%1 (PID %2), the far end of this pseudo-terminal")
                             .arg(holder.name, QString::number(holder.pid)));
        else
            names.append(QStringLiteral("%1 (PID %2)").arg(holder.name, QString::number(holder.pid)));
    }
    QString text = names.isEmpty() ? QStringLiteral("no process") : names.join(QStringLiteral(", "));
    if (f.HeldByOthers())
        text += QStringLiteral(": close that program, then connect again");
    if (f.hiddenProcesses > 0)
        text += QStringLiteral("; %1 processes not allowed to look into (as root they show)").arg(f.hiddenProcesses);
    return text;
}

QString ModemManagerText(const SPortFindings& f)
{
    if (!f.modemManagerRunning)
        return QStringLiteral("not running");
    if (f.modemManagerIgnores)
        return QStringLiteral("running; told to leave this port alone (ID_MM_DEVICE_IGNORE)");
    if (!f.modemManagerWouldProbe)
        return QStringLiteral("running; it does not probe this kind of port");
    return QStringLiteral("running, and it probes this port with AT commands when it appears, which can hold "
                          "it for a while: stop it (sudo systemctl stop ModemManager) or give the port "
                          "ENV{ID_MM_DEVICE_IGNORE}=\"1\" in a udev rule");
}

} // namespace

QString AccessAdvice(const SPortFindings& f)
{
    QString advice;
    switch (f.access) {
    case EPortAccess::Allowed:
    case EPortAccess::AllowedAsRoot:
        return {};
    case EPortAccess::JoinGroup:
        advice = QStringLiteral("join group %1: sudo usermod -aG %1 $USER, then log out and in again").arg(f.groupName);
        break;
    case EPortAccess::NewLogin:
        advice = QStringLiteral("already in the group %1 but this login predates it: log out and in again")
                     .arg(f.groupName);
        break;
    case EPortAccess::NoRule:
        advice = QStringLiteral("no group of yours may use it; a udev rule must grant access");
        break;
    }
    if (f.supportedAdapter)
        advice += QStringLiteral(", or install the udev rule %1 (it grants the seated user access)")
                      .arg(QLatin1String(kAdapterRule));
    return advice;
}

QString Verdict(const SPortFindings& f)
{
    if (!f.exists)
        return QStringLiteral("not usable: the device does not exist (is the adapter plugged in?)");
    if (!f.MayOpen())
        return QStringLiteral("not usable: this user may not open it");
    if (f.HeldByOthers())
        return QStringLiteral("not usable: another process holds it");
    return QStringLiteral("ready: this user may open it and no other process holds it");
}

std::vector<SFindingLine> FindingLines(const SPortFindings& f)
{
    std::vector<SFindingLine> lines;
    if (f.device != f.given)
        lines.push_back({QStringLiteral("device"), f.device, false});
    if (f.exists) {
        lines.push_back({QStringLiteral("by-id"),
                         f.byIdNames.isEmpty() ? QStringLiteral("none") : f.byIdNames.join(QStringLiteral(", ")),
                         false});
        lines.push_back({QStringLiteral("USB"), UsbText(f), false});
        lines.push_back({QStringLiteral("driver"), f.driver.isEmpty() ? QStringLiteral("unknown") : f.driver, false});
        lines.push_back({QStringLiteral("access"), AccessText(f), !f.MayOpen()});
        lines.push_back({QStringLiteral("held by"), HoldersText(f), f.HeldByOthers()});
        lines.push_back({QStringLiteral("ModemManager"), ModemManagerText(f), f.modemManagerWouldProbe});
    }
    lines.push_back({QStringLiteral("verdict"), Verdict(f), !f.Usable()});
    return lines;
}

QString FindingsText(const SPortFindings& f)
{
    QString text = f.given + QLatin1Char('\n');
    for (const SFindingLine& line : FindingLines(f))
        text += QStringLiteral("  %1: %2\n").arg(line.topic, line.text);
    return text;
}

} // namespace orlan
