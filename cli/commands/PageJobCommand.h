#pragma once
// The shape of write and edit: the whole read, then one job on a page, then
// what the job ends with (the session's report says): the page's own read or
// the row's own request (the session says when either is over), a whole
// read, or nothing. On --profile FILE: the file loaded, changed and saved,
// with no terminal.
#include "cli/CliCommand.h"
#include "pages/Page.h"

namespace orlan {

class CPageJobCommand : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool Prepare() override;
    void Run() override;
    void OnLine(std::string_view line) override;
    void OnWholeReadComplete() override;
    void OnWholeReadFailed(const std::string& reason) override;
    void OnJobFinished(const SJobReport& report) override;
    void OnPageReadEnded(const CPage& page) override;
    void OnDeadline(const std::string& waited) override;

protected:
    // The page named is found; false (the run finished) refuses the command.
    virtual bool Check() = 0;
    // After the whole read: the job starts, or the run finishes.
    virtual void StartJob() = 0;
    // On --profile FILE instead: the values into the loaded page; empty, or
    // why not ("not written: ..." when a value the file lacks is needed).
    virtual std::string ChangeProfile() = 0;
    // Before the job goes to the session.
    void JobStarts();
    // "Siren read back"
    void ReadBack();

    CPage* m_page = nullptr;

private:
    enum class EStage {
        Reading,    // the whole read before the job
        Job,        // the job runs
        PageRead,   // the page's own read (or the row's request) after it
        ReadAfter,  // the whole read after a Save that ends so
    };
    EStage m_stage = EStage::Reading;
    bool m_pageReadEnded = false;  // before the job's report came
};

} // namespace orlan
