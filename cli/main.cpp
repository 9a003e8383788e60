// orlan-cli: the configuration tool without windows, for scripts and fleets.
#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>

#include "cli/CliSession.h"

namespace {

const char kUsage[] =
    "usage: orlan-cli --port DEVICE|COMn [--password TEXT] [--timeout SECONDS] [--verbose] COMMAND\n"
    "\n"
    "commands:\n"
    "  read     read the whole configuration and print every line the terminal sends\n"
    "\n"
    "Progress goes to standard error, results to standard output.\n"
    "Exit status: 0 done, 1 usage, 2 port could not be opened, 3 link lost,\n"
    "             4 password refused, 5 no complete answer in time.\n";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orlan-cli"));

    orlan::SCliOptions options;
    QString command;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == QLatin1String("--port") && hasValue) {
            options.port = args[++i];
        } else if (arg == QLatin1String("--password") && hasValue) {
            options.password = args[++i].toStdString();
        } else if (arg == QLatin1String("--timeout") && hasValue) {
            options.timeoutSeconds = args[++i].toInt();
        } else if (arg == QLatin1String("--verbose")) {
            options.verbose = true;
        } else if (command.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            command = arg;
        } else {
            std::fprintf(stderr, "orlan-cli: unexpected argument %s\n%s", arg.toLocal8Bit().constData(), kUsage);
            return static_cast<int>(orlan::ECliExit::Usage);
        }
    }
    if (options.port.isEmpty() || command != QLatin1String("read") || options.timeoutSeconds <= 0) {
        std::fputs(kUsage, stderr);
        return static_cast<int>(orlan::ECliExit::Usage);
    }

    orlan::CCliSession session(options);
    int exitCode = 0;
    session.finished = [&exitCode](orlan::ECliExit code) {
        exitCode = static_cast<int>(code);
        QCoreApplication::exit(exitCode);
    };
    QTimer::singleShot(0, &session, [&session] { session.StartRead(); });
    app.exec();
    return exitCode;
}
