// orlan-cli: the configuration tool without windows, for scripts and fleets.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliDoctor.h"
#include "cli/CliSession.h"
#include "cli/StopSignals.h"
#include "cli/commands/ReportCommand.h"

int main(int argc, char** argv)
{
    // The arguments' bytes as given: passwords and texts go to the terminal as typed.
    const std::vector<std::string> args(argv + 1, argv + argc);
    const orlan::SCliParse parsed = orlan::ParseCliArgs(args);
    // Printing a PDF report needs fonts, so a GUI application, on the
    // offscreen platform: the command line never opens a window.
    const bool printsPdf = parsed.options && parsed.options->command == orlan::ECliCommand::Report
                           && orlan::IsPdfReportName(parsed.options->outputPath);
    if (printsPdf)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        printsPdf ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orlan-cli"));

    // A closed pipe is a failed write with its exit code, not a death that
    // could leave a command batch open on the terminal.
    std::signal(SIGPIPE, SIG_IGN);
    if (parsed.help || parsed.version) {
        const std::string text = parsed.help ? orlan::CliUsage() : orlan::CliVersionText();
        const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
        return written ? 0 : static_cast<int>(orlan::ECliExit::OutputFailed);
    }
    if (!parsed.options) {
        std::fprintf(stderr, "orlan-cli: %s (orlan-cli --help tells more)\n", parsed.error.c_str());
        return static_cast<int>(orlan::ECliExit::Usage);
    }

    if (parsed.options->command == orlan::ECliCommand::Doctor)
        return static_cast<int>(orlan::RunDoctor(*parsed.options));

    orlan::CCliSession session(*parsed.options);
    int exitCode = 0;
    session.finished = [&exitCode](orlan::ECliExit code) {
        exitCode = static_cast<int>(code);
        QCoreApplication::exit(exitCode);
    };
    const orlan::CStopSignals stopSignals([&session] { session.Interrupt(); });
    QTimer::singleShot(0, &session, [&session] { session.Start(); });
    QCoreApplication::exec();
    return exitCode;
}
