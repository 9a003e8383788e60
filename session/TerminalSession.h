#pragma once
// The console session behind the main window and the CLI, without any
// window: the receive path, the routing table with the pages attached, the
// command queue and the actions of the main window's buttons (reload, login
// with retries, setup mode, restart, factory defaults, page write-backs, row
// edits, profiles). The window or the CLI is its view: it shows what the
// session reports and asks for what needs a person.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/CommandQueue.h"
#include "console/DumpRouter.h"
#include "console/ProfileReader.h"
#include "console/ReceivePath.h"
#include "pages/Page.h"
#include "session/PageOrders.h"
#include "session/ProfileLoad.h"

namespace orlan {

// Which job of a page a report is about.
struct SPageJobKind {
    enum class EKind { Write, Action, RowEdit, FieldChange };
    EKind kind = EKind::Write;
    std::string id;             // the action's or the field's id
    std::optional<size_t> row;  // the edited row (0-based)
    size_t table = 0;           // the edited row's table
    // What the job ended with: the page's read or a row's own request (both
    // followed by OnPageReadEnded), a whole read, or nothing.
    EJobEnd end = EJobEnd::Nothing;
};

// What the session needs from its view beyond the receive path's reports.
class ISessionView : public IReceiveListener {
public:
    // An information box ("The login password is incorrect!", "Excute the
    // profile sucessed!"); it must not block the receive path.
    virtual void ShowInformation(const std::string& /*text*/) {}
    virtual void ShowError(const std::string& /*text*/) {}
    // A job of the command queue ended: "5 commands sent, 1 rejected".
    virtual void OnJobFinished(const std::string& /*name*/, const SJobReport& /*report*/) {}
    // A job of one page ended: its write-back, one of its actions (by id), a
    // row edit (with its row) or a field that acts on change (by id). A view
    // that names pages for a person overrides this; by default the report
    // goes to OnJobFinished under `name` ("Write CPageMainParams").
    virtual void OnPageJobFinished(const CPage& /*page*/, const SPageJobKind& /*kind*/, const std::string& name,
                                   const SJobReport& report)
    {
        OnJobFinished(name, report);
    }
    // A page's write-back started (its buttons go off until the progress
    // window closes) or its buttons may come back.
    virtual void OnPageBusy(const CPage& /*page*/, bool /*busy*/) {}
    // RESTART was pressed: the console terminal page empties its view.
    virtual void OnRestart() {}
    // A Save or a row edit was refused before anything was sent: a typed
    // value the field cannot hold (`fieldId`, or empty when no typed value
    // is to blame) and why ("takes digits only").
    virtual void OnValueRefused(const CPage& /*page*/, const std::string& fieldId, const std::string& why)
    {
        ShowError((fieldId.empty() ? std::string() : fieldId + " ") + why + "; nothing was sent");
    }

    // The whole-configuration read contract (OnWholeReadComplete):
    // a read started by Reload() is complete when its end line ("DUMPR")
    // arrives after its own request went out, once the line had gone quiet
    // before that request. Then, and only then, the pages hold the whole
    // current configuration: a profile must be written only from a read that
    // reported OnWholeReadComplete (a stale dump's end line, one that arrives
    // before the request, never counts). When a read cannot complete (its
    // request could not be written, or its end line did not come within the
    // read limit) OnWholeReadFailed says why instead.
    virtual void OnWholeReadComplete() {}
    virtual void OnWholeReadFailed(const std::string& /*reason*/) {}
    // An end line that ends no whole read of the session: a page's read that
    // ends with "%DUMPR", or a raw "%DUMPR" (a login check), while no whole
    // read is pending. End lines that arrive while a read is pending but do
    // not end it are stale and reported nowhere.
    virtual void OnDumpEndOutsideRead() {}
    // The command queue finished its last job and nothing waits behind it.
    virtual void OnQueueIdle() {}
    // A page's own read is over (or the request for one of its rows a row
    // edit ends with): the request went out and the line has been quiet for
    // kPageReadQuietMs since (a page's dump has no end line).
    virtual void OnPageReadEnded(const CPage& /*page*/) {}
};

// What a profile run that the terminal did not take whole says: its counts
// and the commands that failed (at most `listed` of them, then how many more).
std::string ProfileFailureText(const SJobReport& report, size_t listed = 30);
// What a profile run cut short by a restart of the terminal says: that it
// restarted, the commands it had taken (`taken` of them, `takenShown` the
// first ones), which its restart may have lost with the uncommitted batch,
// and the commands it did not take or that were not sent.
std::string ProfileRestartText(const SJobReport& report, size_t taken, const std::vector<std::string>& takenShown,
                               size_t listed = 30);

class CTerminalSession final : public IReceiveListener, private IDumpDispatcher {
public:
    // Automatic password re-sends after "Login Failed" per login attempt;
    // with the first password an attempt sends at most kMaxLoginRetries + 1.
    static constexpr int kMaxLoginRetries = 3;
    // A prompt this soon after a password went out, and before its verdict,
    // is the terminal asking again behind its refusal: not answered again.
    static constexpr int kLoginVerdictMs = 3000;
    static constexpr int kProfileBracketWaitMs = 3000;
    static constexpr int kProfileCommandWaitMs = 9000;
    // Before a whole read the line must have been free of bytes this long,
    // so the rest of an interrupted dump is over (a dump has no pauses of
    // this length; the channel batches reads every 50 ms).
    static constexpr int kReadSettleMs = 300;
    // A line that never goes quiet (a dump without end) gets the request
    // after this long anyway: only an end line behind it completes the read.
    static constexpr int kReadSettleLimitMs = 5000;
    // A whole read whose end line has not come this long after its request
    // has failed (a dump of the whole configuration takes a few seconds).
    static constexpr int kWholeReadLimitMs = 120000;
    // A terminal that has sent no byte at all this long after the request
    // is not going to answer it: the read fails with what to check.
    static constexpr int kWholeReadSilenceMs = 10000;
    // A picture that has not ended after this long without bytes is dropped.
    static constexpr int kPictureQuietMs = 3000;
    // A page's read is over once the line has been this quiet after its request.
    static constexpr int kPageReadQuietMs = 600;

    enum class EWholeRead {
        Idle,       // none asked for yet
        Settling,   // waiting for the line to go quiet; its settings are dropped
        Requested,  // "%DUMPS" "%DUMPR" written, waiting for the end line
        Complete,   // its end line came after its request
        Failed,     // see OnWholeReadFailed
    };

    CTerminalSession(ISessionView& view, IByteSink& sink, ITimerService& timers);
    ~CTerminalSession() override;
    CTerminalSession(const CTerminalSession&) = delete;
    CTerminalSession& operator=(const CTerminalSession&) = delete;

    // Takes a page, binds its dump entries; pages keep their order of adding.
    CPage& AddPage(std::unique_ptr<CPage> page);
    CPage* FindPage(std::string_view className) const;
    const std::vector<std::unique_ptr<CPage>>& Pages() const { return m_pages; }

    // Received blocks enter here: the session notes when the line last
    // spoke (for the settle before a whole read and for a picture that stops
    // coming), then hands them to the receive path. Blocks fed to Receive()
    // directly (tests) are processed alike but not timed.
    void OnSerialData(const char* bytes, size_t count);

    CReceivePath& Receive() { return m_rx; }
    const CReceivePath& Receive() const { return m_rx; }
    CDumpRouter& Router() { return m_router; }
    CCommandQueue& Queue() { return m_queue; }
    // Runs `then` once the queue has nothing to do: at once when it is idle,
    // else when its last job has finished (a later call replaces it).
    void WhenIdle(std::function<void()> then);
    void SetPassword(std::string password);
    const std::string& Password() const { return m_password; }

    // The whole-configuration read: let the line go quiet (dropping the
    // settings that arrive, not records or live state; asynchronously, at
    // most kReadSettleLimitMs), then clear the pages in the whole-read
    // order and write "%DUMPS", "%DUMPR"; complete when the end line
    // arrives after that request (see ISessionView). A Reload while one is
    // pending starts it over.
    void Reload();
    EWholeRead WholeRead() const { return m_read; }
    // Hears every line the terminal sends as it is logged, before it is
    // routed to the pages (the status overview stamps its values' times).
    size_t AddLineObserver(std::function<void(std::string_view)> observer)
    {
        m_lineObservers.emplace_back(++m_lastObserver, std::move(observer));
        return m_lastObserver;
    }
    void RemoveLineObserver(size_t id) { std::erase_if(m_lineObservers, [id](const auto& o) { return o.first == id; }); }
    // Hears each complete whole read before the view does; `afterProfile`
    // when a profile run asked for it (the history keeps both).
    void AddWholeReadObserver(std::function<void(bool afterProfile)> observer)
    {
        m_wholeReadObservers.push_back(std::move(observer));
    }
    // A page's own read (or a row's request) waits for the line to go quiet.
    bool PageReadPending() const { return m_pageRead != nullptr; }
    // While a profile file is shown in place of the terminal: a row's OK
    // changes the page itself (its commands read back through the page's
    // profile inverse) instead of going out, and a login does not read the
    // terminal over the file.
    void SetProfileShown(bool shown) { m_profileShown = shown; }
    bool ProfileShown() const { return m_profileShown; }
    // A row dialog's OK taken into the page without a terminal: empty, or
    // why not ("not written: ..." when a command needs a value the page
    // never held, or a command no profile holds).
    std::string ApplyRowToPage(CPage& page, size_t table, size_t row, const SRowEditor& edited);
    // Whether the pages hold a whole read of the terminal on the line: one
    // completed since the channel last opened and since the pages were
    // last cleared for a read. A profile written without one holds defaults.
    bool HoldsWholeRead() const { return m_holdsWholeRead; }
    // The channel (re)opens: what the line holds is unknown (a terminal may
    // still be printing a dump an earlier connection asked for), so a whole
    // read waits for the line to be quiet from now on.
    void OnChannelOpened();
    // The channel closed (a lost link, or a requested stop): a pending whole
    // read cannot complete and fails at once.
    void OnChannelClosed(const std::string& reason);
    // The read limit of later reads (kWholeReadLimitMs by default).
    void SetWholeReadLimit(int ms) { m_wholeReadLimitMs = ms; }
    // The login button: with a completed read, says so (HAVE_LOGIN text) and
    // sends nothing; else starts a new login attempt and sends the password.
    // An attempt answers prompts and "Login Failed" with the password until
    // kMaxLoginRetries retries are used, then says "The login password is
    // incorrect!" once and waits for the user: a new Login() or a changed
    // password starts the next attempt.
    void Login(const std::string& haveLoginText);
    bool LoginGivenUp() const { return m_loginGivenUp; }
    // After the user closed the setup-mode message: arm and send the key run.
    void EnterSetupMode();
    void Restart();
    void FactoryDefaults();
    // Raw text exactly as given (console terminal page).
    // False when the channel did not take all of it (closed, or its ring full).
    bool SendRaw(std::string_view text);

    // A page's Read: its dump request in one write, and Clear once the
    // channel took it (a refused request leaves the page as it was).
    void ReadPage(CPage& page);
    // A page's write button: its Save job (its batch, then its Read).
    void WriteBack(CPage& page);
    // One of the page's own buttons: its job, for the selected row where it
    // needs one. False when the page had nothing to send.
    bool RunAction(CPage& page, std::string_view actionId, std::optional<size_t> selectedRow);
    // A row dialog's OK: the row's commands as one job, then the page's Read.
    // Does nothing when the page has no editor for that row; sends nothing
    // and returns the page's SYSMSG key when it refuses the edit.
    std::string CommitRow(CPage& page, size_t table, size_t row, const CFieldSet& edited);
    // The same with the editor's tables as edited.
    std::string CommitRow(CPage& page, size_t table, size_t row, const SRowEditor& edited);
    // A field that acts on change (sent at once).
    void FieldEdited(CPage& page, std::string_view fieldId);
    // The job of a row's commands: the row's own "%STARTCMD" ... "%COMMITCMD"
    // becomes the job's bracket, a closing "%DUMP..." request its end (no
    // page read), and with everything left out there is nothing to run.
    static SPageJob RowJob(CCommandList commands, bool leftSomeOut);

    // The profile bytes SAVE writes: the sections of the profile pages in
    // order, without the lines that carry values not known (`leftOut`
    // names them). The lines a loaded profile held that no page took are
    // written back where they stood. A complete profile (the default) adds
    // a section for each other page with settings behind the classic ones.
    std::string ProfileBytes(std::vector<SLeftOut>* leftOut = nullptr) const
    {
        return ProfileBytes(EProfileScope::Complete, leftOut);
    }
    std::string ProfileBytes(EProfileScope scope, std::vector<SLeftOut>* leftOut = nullptr) const;
    // Saves of a loaded profile write the classic sections it lacked only
    // when they have lines; from now on they write them all, as a save
    // after a read does (a file saved as another format).
    void WriteEveryClassicSection() { m_loadedSections.reset(); }
    // Loads a profile into the pages: they are cleared as for a whole read,
    // then each command line of a section goes to the page writing that
    // section, whose values it carries become known. Lines no page takes
    // are reported and kept for the next ProfileBytes. The pages then hold
    // the profile, not a read of the terminal (HoldsWholeRead is false).
    SProfileLoad LoadProfile(std::string_view bytes);
    // The page that writes the section titled so in a complete profile.
    CPage* FindProfileSection(std::string_view title) const;
    // EXEC with the profile's lines (from a CProfileReader): one job that
    // walks them, "%STARTCMD" before and "%COMMITCMD" after, then a whole
    // read. False when a profile is already running, or when a command is
    // longer than the terminal's line limit: then nothing is sent and
    // ShowError names its line.
    bool ExecuteProfile(std::vector<SProfileLine> lines);
    // The same from the profile's contents, read by a CProfileReader.
    bool ExecuteProfile(std::string_view contents);
    // The waits of later profile runs (the brackets' and each command's);
    // scripts that know their terminal answers fast shorten them.
    void SetProfileAnswerWaits(int bracketWaitMs, int commandWaitMs);
    bool ProfileRunning() const { return m_profileRunning; }
    // The last profile run ended because the terminal restarted during it
    // (its boot lines arrived): nothing more was sent, not even "%COMMITCMD".
    bool ProfileCutByRestart() const { return m_profileRestarted; }
    // The window closes: end a running profile after its current line, still
    // closing the batch. True when something is still to be sent first.
    bool PrepareToClose();

    // IReceiveListener: the session acts on some reports and passes all on.
    void OnRawText(std::string_view chunk) override { m_view.OnRawText(chunk); }
    void OnLineLogged(std::string_view line) override;
    void OnStatusText(const std::string& text) override { m_view.OnStatusText(text); }
    void OnSecondStatusText(const std::string& text) override { m_view.OnSecondStatusText(text); }
    void OnProgressShow(int ticks) override { m_view.OnProgressShow(ticks); }
    void OnProgressShowLine(int ticks, const std::string& text) override { m_view.OnProgressShowLine(ticks, text); }
    void OnProgressFinish() override { m_view.OnProgressFinish(); }
    void OnBeep() override { m_view.OnBeep(); }
    void OnAnswer(EAnswer answer) override;
    void OnLoginSuccess() override;
    void OnLoginFailed() override;
    bool OnPasswordPrompt() override;
    void OnDumpEndLine() override;
    void OnSetupKeyRunRequested() override;
    // The pages hear of a whole picture before the view saves it.
    void OnPictureComplete(std::span<const uint8_t> jpeg) override
    {
        for (const auto& page : m_pages)
            page->OnPicture(jpeg);
        m_view.OnPictureComplete(jpeg);
    }
    void OnPictureFailed() override { m_view.OnPictureFailed(); }
    void OnEventAppended(const SEventRow& row) override;

private:
    void RunJob(CPage& page, SPageJob job, SPageJobKind kind, std::string jobName,
                std::vector<SLeftOut> leftOut = {});
    static SRowEditor WithKnownFromRow(const CPage& page, size_t table, size_t row, SRowEditor edited);
    // Refuses (and tells the view) typed values a field cannot hold and
    // commands a value would break: a "%" inside (the start of another
    // command, or the setup key run), a line break before the end.
    bool RefusesValues(const CPage& page, const CFieldSet& fields, const CCommandList& commands);
    void CheckReadSilence();
    void WatchPageRead(const CPage& page);
    void CheckPageReadQuiet();
    void DispatchLine(std::string_view line) override;
    void CheckReadSettle();
    void RequestWholeRead();
    void FailWholeRead(const std::string& reason);
    void StopReadTimer();
    void StartLoginAttempt();
    void SendCountedPassword();
    void GiveUpLogin();
    // Judges the command announced last, by whether the job's `accepted`
    // count grew since it was announced, and announces `next` (none: the run
    // ended).
    void NoteProfileCommand(int accepted, const std::string* next);

    ISessionView& m_view;
    IByteSink& m_sink;
    ITimerService& m_timers;
    CReceivePath m_rx;
    CDumpRouter m_router;
    CCommandQueue m_queue;
    std::vector<std::unique_ptr<CPage>> m_pages;
    // What the last loaded profile held that no page took.
    CKeptProfileLines m_keptProfileLines;
    // The sections the last loaded profile had: a save writes a classic
    // section it lacked only when it has something to say, so a small file
    // edited stays small. None after a read of the terminal.
    std::optional<std::vector<std::string>> m_loadedSections;
    std::string m_password;
    // The login attempt.
    int m_loginFailures = 0;
    int m_passwordsSent = 0;
    bool m_awaitingVerdict = false;
    int64_t m_passwordSentAt = 0;
    bool m_loginGivenUp = false;
    // The whole read and the line's last bytes.
    EWholeRead m_read = EWholeRead::Idle;
    int64_t m_readSettleStart = 0;
    uint64_t m_readMark = 0;
    uint64_t m_dumpsMark = 0;       // the request's first half ("%DUMPS")
    int64_t m_readRequestedAt = 0;
    size_t m_readDollarLines = 0;   // "$" lines of the current read
    size_t m_readGarbledMark = 0;   // the receive path's garbled dump lines when it was asked
    bool m_holdsWholeRead = false;
    std::optional<ITimerService::TimerId> m_silenceTimer;
    int m_wholeReadLimitMs = kWholeReadLimitMs;
    std::optional<ITimerService::TimerId> m_readTimer;
    std::optional<int64_t> m_lastBytesMs;
    std::optional<ITimerService::TimerId> m_pictureTimer;
    // The page whose own read runs, and when its request went out.
    const CPage* m_pageRead = nullptr;
    int64_t m_pageReadAt = 0;
    std::optional<ITimerService::TimerId> m_pageReadTimer;
    std::function<void()> m_whenIdle;
    std::vector<std::function<void(bool)>> m_wholeReadObservers;
    bool m_readAfterProfile = false;
    std::vector<std::pair<size_t, std::function<void(std::string_view)>>> m_lineObservers;
    size_t m_lastObserver = 0;
    int m_profileBracketWaitMs = kProfileBracketWaitMs;
    int m_profileCommandWaitMs = kProfileCommandWaitMs;
    bool m_profileShown = false;
    bool m_profileRunning = false;
    bool m_closing = false;
    // The running profile's commands the terminal took, for a run a restart
    // cuts short (see NoteProfileCommand).
    bool m_profileRestarted = false;
    std::string m_profileAnnounced;  // the command line announced last
    bool m_profileHasAnnounced = false;
    int m_profileAcceptedAt = 0;     // the job's accepted count when it was announced
    size_t m_profileTaken = 0;
    std::vector<std::string> m_profileTakenShown;  // the first of them, for the report
};

} // namespace orlan
