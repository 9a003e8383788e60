#include "CliRunner.h"

#include <QFile>

namespace orlan::test {

SCliRun RunCli(const QStringList& args, int limitMs, const SCliStart& start)
{
    QProcess cli;
    if (!start.stdoutFile.isEmpty())
        cli.setStandardOutputFile(start.stdoutFile);
    if (start.inChild)
        cli.setChildProcessModifier(start.inChild);
    cli.start(QStringLiteral(ORLAN_CLI_EXE), args);
    SCliRun run;
    if (!cli.waitForFinished(limitMs)) {
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = cli.readAllStandardOutput().toStdString();
    run.err = cli.readAllStandardError().toStdString();
    return run;
}

std::vector<std::string> SplitAtLineFeeds(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

bool WriteBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

std::vector<std::string> ReceivedLines(const QString& logPath)
{
    return SplitAtLineFeeds(ReadBytes(logPath));
}

QStringList SimWithLog(const QString& logPath, QStringList options)
{
    return options << QStringLiteral("--rate") << QStringLiteral("0") << QStringLiteral("--log") << logPath;
}

} // namespace orlan::test
