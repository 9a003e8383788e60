#include "SimProcess.h"

#include "support/QtTestSupport.h"

namespace orlan::test {

CSimProcess::CSimProcess(const QStringList& options)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QStringLiteral(ORLAN_SIM_EXE), QStringList{QStringLiteral("--control")} + options);
    if (!m_process.waitForStarted(5000))
        return;
    if (!PumpUntil([this] { return m_process.canReadLine(); }))
        return;
    m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

CSimProcess::~CSimProcess()
{
    m_process.closeWriteChannel();  // the simulator ends at the end of its control input
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void CSimProcess::Kill()
{
    m_process.kill();
    m_process.waitForFinished(3000);
}

bool CSimProcess::Control(const QString& command)
{
    m_process.write((command + QLatin1Char('\n')).toLocal8Bit());
    QString answer;
    const bool answered = PumpUntil([this, &answer] {
        if (!m_process.canReadLine())
            return false;
        answer = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        return true;
    });
    return answered && answer == QLatin1String("ok");
}

} // namespace orlan::test
