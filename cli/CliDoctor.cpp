#include "cli/CliDoctor.h"

#include "link/PortDoctor.h"
#include "link/PortDoctorText.h"
#include "link/PortNames.h"
#include "platform/RegSetting.h"

#include <cstdio>
#include <optional>

namespace orlan {

namespace {

bool Print(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout)
           == static_cast<size_t>(bytes.size());
}

} // namespace

ECliExit RunDoctor(const SCliOptions& options)
{
    QString devicePath;
    if (!options.port.empty()) {
        const std::optional<PortInput> port = ParsePortInput(QString::fromStdString(options.port));
        if (!port) {
            std::fprintf(stderr, "orlan-cli: not a port: %s\n", options.port.c_str());
            return ECliExit::Usage;
        }
        devicePath = port->devicePath.isEmpty() ? DevicePath(port->portNumber, CRegSetting()) : port->devicePath;
        if (devicePath.isEmpty()) {
            // COM97 and above name only the paths the user assigned.
            std::fprintf(stderr, "orlan-cli: %s has no device assigned\n", options.port.c_str());
            return ECliExit::PortTrouble;
        }
    }
    const CPortDoctor doctor({}, RealDoctorSystem());
    const QList<SPortFindings> all = doctor.ExamineAll(devicePath);
    bool written = true;
    bool usable = !all.isEmpty();
    if (all.isEmpty())
        written = Print(QStringLiteral("no serial ports found: is the adapter plugged in?\n"));
    for (qsizetype i = 0; i < all.size(); ++i) {
        written = written && (i == 0 || Print(QStringLiteral("\n"))) && Print(FindingsText(all[i]));
        usable = usable && all[i].Usable();
    }
    if (!written || std::fflush(stdout) != 0)
        return ECliExit::OutputFailed;
    return usable ? ECliExit::Ok : ECliExit::PortTrouble;
}

} // namespace orlan
