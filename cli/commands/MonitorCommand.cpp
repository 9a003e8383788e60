#include "cli/commands/MonitorCommand.h"

#include "pages/logs/ExTmpRcdPage.h"
#include "platform/SafeFile.h"
#include "session/TerminalSession.h"

namespace orlan {

CMonitorCommand::~CMonitorCommand()
{
    // The page may outlive the file it was given.
    if (m_realtime != nullptr)
        m_realtime->SetRecordFile(nullptr);
}

void CMonitorCommand::Run()
{
    StartRecordFile();
    m_host.Progress("monitoring; SIGINT or SIGTERM ends it");
    if (m_host.Options().timeoutGiven)
        m_host.StartDeadline();
}

void CMonitorCommand::StartRecordFile()
{
    m_realtime = dynamic_cast<CPageExTmpRcd*>(m_host.Session().FindPage("CPageExTmpRcd"));
    if (m_realtime == nullptr)
        return;
    // Opened with the first sample: a monitor that sees none leaves no file.
    // One that cannot be opened receives nothing, and says so once.
    m_recordFile.SetPath(QString::fromLatin1(CPageExTmpRcd::kLogFileName));
    m_realtime->SetRecordFile(&m_recordFile);
    m_host.Progress(std::string("realtime temperature samples go to \"") + CPageExTmpRcd::kLogFileName + "\"");
}

void CMonitorCommand::OnLine(std::string_view line)
{
    if (!m_recordErrorShown && !m_recordFile.Error().isEmpty())
        ReportRecordFileError();
    // A watcher sees each line as it comes.
    if (!m_host.PrintLine(line) || !m_host.FlushOut())
        m_host.Finish(ECliExit::OutputFailed);
}

void CMonitorCommand::ReportRecordFileError()
{
    // Said once: a full disc would otherwise repeat it with every sample.
    m_recordErrorShown = true;
    m_host.Progress("the realtime samples are not written: \"" + NativePath(m_recordFile.Path()) + "\" "
                    + m_recordFile.Error().toStdString());
}

void CMonitorCommand::OnDeadline(const std::string& waited)
{
    m_host.Finish(ECliExit::Ok, "watched for " + waited);
}

bool CMonitorCommand::OnInterrupt()
{
    m_host.Finish(ECliExit::Ok, "stopped");
    return true;
}

} // namespace orlan
