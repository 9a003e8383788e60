#pragma once
// The shape of write and edit: the whole read, then one job on a page, then
// what the job ends with: the page's own read (the session says when it is
// over), the row's own request (over once the line is quiet), a whole read,
// or nothing.
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
    void OnQuiet() override;
    void OnDeadline(const std::string& waited) override;

    // A row's own request is answered once the line has been this quiet.
    static constexpr int kRowReadQuietMs = 600;

protected:
    // The page named is found; false (the run finished) refuses the command.
    virtual bool Check() = 0;
    // After the whole read: the job starts, ending as `end` says, or the run finishes.
    virtual void StartJob() = 0;
    // Before the job goes to the session: what it ends with.
    void JobStarts(EJobEnd end);
    // "Siren read back"
    void ReadBack();

    CPage* m_page = nullptr;

private:
    enum class EStage {
        Reading,    // the whole read before the job
        Job,        // the job runs
        PageRead,   // the page's own read after it
        RowRead,    // the answer to the row's own request
        ReadAfter,  // the whole read after a Save that ends so
    };
    EStage m_stage = EStage::Reading;
    EJobEnd m_end = EJobEnd::ReadPage;
    bool m_pageReadEnded = false;  // before the job's report came
};

} // namespace orlan
