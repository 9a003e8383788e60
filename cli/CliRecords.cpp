// The temperature records without a window: `records` replays the stored log
// and exports it as the log page's Export Data does; `monitor` keeps the
// realtime page's running file.
#include "cli/CliSession.h"

#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"

namespace orlan {

int CCliSession::SettleMs() const
{
    return m_options.command == ECliCommand::Records ? m_options.quietMs : kSettleQuietMs;
}

void CCliSession::StartRecordFile()
{
    auto* realtime = dynamic_cast<CPageExTmpRcd*>(m_session.FindPage("CPageExTmpRcd"));
    if (realtime == nullptr)
        return;
    // Opened with the first sample: a monitor that sees none leaves no file.
    // One that cannot be opened receives nothing, and says so once.
    m_recordFile.SetPath(QString::fromLatin1(CPageExTmpRcd::kLogFileName));
    realtime->SetRecordFile(&m_recordFile);
    Progress(std::string("realtime temperature samples go to \"") + CPageExTmpRcd::kLogFileName + "\"");
}

void CCliSession::ReportRecordFileError()
{
    // Said once: a full disc would otherwise repeat it with every sample.
    m_recordErrorShown = true;
    Progress("the realtime samples are not written: \"" + NativePath(m_recordFile.Path()) + "\" "
             + m_recordFile.Error().toStdString());
}

void CCliSession::StartRecordsReplay()
{
    m_page = m_session.FindPage("CPageExtTmpLog");
    if (m_page == nullptr) {
        Finish(ECliExit::Usage, "this build has no temperature log page");
        return;
    }
    Progress("asking the terminal for its stored temperature log");
    m_stage = EStage::PageJob;
    if (!m_session.RunAction(*m_page, CPageExtTmpLog::kSyncAction, std::nullopt))
        Finish(ECliExit::Unanswered, "the replay request was not sent");
}

void CCliSession::ExportRecords()
{
    const std::string bytes = static_cast<const CPageExtTmpLog*>(m_page)->ExportBytes();
    const size_t records = m_page->Tables().empty() ? 0 : m_page->Tables().front().Rows();
    // A replay that brought nothing (a silent or refused request) is no
    // success, and no reason to empty a file that holds an earlier export.
    if (records == 0) {
        Finish(ECliExit::Unanswered, "no records came"
                                         + (m_options.exportPath.empty() ? std::string()
                                                                         : "; " + m_options.exportPath + " left as it was"));
        return;
    }
    if (m_options.exportPath.empty()) {
        Finish(PrintOut(bytes) ? ExitOf(m_report) : ECliExit::OutputFailed,
               std::to_string(records) + " records");
        return;
    }
    // The records are the unit's data: written whole or not at all.
    const std::string why = SaveFileSafely(m_options.exportPath, bytes, {});
    if (!why.empty()) {
        Finish(ECliExit::ProfileFailed, "Open/Create the log file failed! (" + m_options.exportPath + ": " + why + ")");
        return;
    }
    Finish(ExitOf(m_report), std::to_string(records) + " records written to " + m_options.exportPath);
}

} // namespace orlan
