#include "bench/BenchSim.h"

#include <QCoreApplication>

#include <cstdio>


namespace orlan::bench {

CBenchSim::CBenchSim(int argc, char** argv, const QStringList& options)
{
    const QString simExe = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QCoreApplication::applicationDirPath() + QStringLiteral("/../sim/orlan-sim");
    m_process.start(simExe, QStringList{QStringLiteral("--control")} + options);
    if (!m_process.waitForReadyRead(5000)) {
        std::fprintf(stderr, "orlan-sim did not start (%s)\n", qPrintable(simExe));
        return;
    }
    m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

CBenchSim::~CBenchSim()
{
    m_process.closeWriteChannel();  // the simulator ends with its control input
    if (!m_process.waitForFinished(3000))
        m_process.kill();
}

CBenchSession::CBenchSession(const QString& device)
{
    m_link.blockTap = [this](const char*, size_t count) { m_bytes += count; };
    m_link.Open(device);
}

void CBenchSession::OnWholeReadComplete()
{
    if (wholeReadComplete)
        wholeReadComplete();
}

void CBenchSession::OnJobFinished(const std::string& /*name*/, const SJobReport& report)
{
    if (jobFinished)
        jobFinished(report);
}

} // namespace orlan::bench
