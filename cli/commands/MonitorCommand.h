#pragma once
// monitor: every line the terminal sends, on standard output as it comes,
// and the realtime temperature samples appended to the log page's running
// file, until a stop signal or the --timeout given.
#include "cli/CliCommand.h"
#include "platform/RunningFile.h"

namespace orlan {

class CPageExTmpRcd;

class CMonitorCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;
    ~CMonitorCommand() override;

    void Run() override;
    void OnLine(std::string_view line) override;
    void OnDeadline(const std::string& waited) override;
    bool OnInterrupt() override;

private:
    void StartRecordFile();
    void ReportRecordFileError();

    CPageExTmpRcd* m_realtime = nullptr;  // the page that writes the samples
    CRunningFile m_recordFile;            // "ex temp.csv", opened with its first sample
    bool m_recordErrorShown = false;
};

} // namespace orlan
