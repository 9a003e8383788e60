#pragma once
// The console session behind the main window and the CLI, without any
// window: the receive path, the routing table with the pages attached, the
// command queue and the actions of the main window's buttons (reload, login
// with retries, setup mode, restart, factory defaults, page write-backs, row
// edits, profiles). The window or the CLI is its view: it shows what the
// session reports and asks for what needs a person.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/CommandQueue.h"
#include "console/DumpRouter.h"
#include "console/ReceivePath.h"
#include "pages/Page.h"
#include "session/PageOrders.h"

namespace orlan {

// What the session needs from its view beyond the receive path's reports.
class ISessionView : public IReceiveListener {
public:
    // An information box ("The login password is incorrect!", "Excute the
    // profile sucessed!"); it must not block the receive path.
    virtual void ShowInformation(const std::string& /*text*/) {}
    virtual void ShowError(const std::string& /*text*/) {}
    // A job of the command queue ended: "5 commands sent, 1 rejected".
    virtual void OnJobFinished(const std::string& /*name*/, const SJobReport& /*report*/) {}
    // A page's write-back started (its buttons go off until the progress
    // window closes) or its buttons may come back.
    virtual void OnPageBusy(const CPage& /*page*/, bool /*busy*/) {}
    // RESTART was pressed: the console terminal page empties its view.
    virtual void OnRestart() {}
};

class CTerminalSession final : public IReceiveListener {
public:
    static constexpr int kMaxLoginRetries = 3;
    static constexpr int kProfileBracketTicks = 3000;
    static constexpr int kProfileCommandTicks = 9000;

    CTerminalSession(ISessionView& view, IByteSink& sink, ITimerService& timers);

    // Takes a page, binds its dump entries; pages keep their order of adding.
    CPage& AddPage(std::unique_ptr<CPage> page);
    CPage* FindPage(std::string_view className) const;
    const std::vector<std::unique_ptr<CPage>>& Pages() const { return m_pages; }

    CReceivePath& Receive() { return m_rx; }
    const CReceivePath& Receive() const { return m_rx; }
    CDumpRouter& Router() { return m_router; }
    CCommandQueue& Queue() { return m_queue; }
    void SetPassword(std::string password);
    const std::string& Password() const { return m_password; }

    // Clear the pages in the whole-read order, then "%DUMPS", "%DUMPR".
    void Reload();
    // The login button: with a completed read, says so (HAVE_LOGIN text) and
    // sends nothing; else sends the password.
    void Login(const std::string& haveLoginText);
    // After the user closed the setup-mode message: arm and send the key run.
    void EnterSetupMode();
    void Restart();
    void FactoryDefaults();
    // Raw text exactly as given (console terminal page).
    void SendRaw(std::string_view text);

    // A page's Read: Clear, then its dump request in one write.
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

    // The profile bytes SAVE writes: the sections of the profile pages in order.
    std::string ProfileBytes() const;
    // EXEC with the profile's contents; false when a profile is already running.
    bool ExecuteProfile(std::string_view contents);
    // The waits of later profile runs (the brackets' and each command's);
    // scripts that know their terminal answers fast shorten them.
    void SetProfileTickLimits(int bracketTicks, int commandTicks);
    bool ProfileRunning() const { return m_profileRunning; }
    // The window closes: end a running profile after its current line, still
    // closing the batch. True when something is still to be sent first.
    bool PrepareToClose();

    // IReceiveListener: the session acts on some reports and passes all on.
    void OnRawText(std::string_view chunk) override { m_view.OnRawText(chunk); }
    void OnLineLogged(std::string_view line) override { m_view.OnLineLogged(line); }
    void OnStatusText(const std::string& text) override { m_view.OnStatusText(text); }
    void OnSecondStatusText(const std::string& text) override { m_view.OnSecondStatusText(text); }
    void OnProgressShow(int ticks) override { m_view.OnProgressShow(ticks); }
    void OnProgressShowLine(int ticks, const std::string& text) override { m_view.OnProgressShowLine(ticks, text); }
    void OnProgressFinish() override { m_view.OnProgressFinish(); }
    void OnBeep() override { m_view.OnBeep(); }
    void OnAnswer(EAnswer answer) override;
    void OnLoginSuccess() override;
    void OnLoginFailed() override;
    void OnWholeReadComplete() override { m_view.OnWholeReadComplete(); }
    void OnSetupKeyRunRequested() override;
    void OnPictureComplete(std::span<const uint8_t> jpeg) override { m_view.OnPictureComplete(jpeg); }
    void OnPictureFailed() override { m_view.OnPictureFailed(); }
    void OnEventAppended(const SEventRow& row) override { m_view.OnEventAppended(row); }

private:
    void RunJob(CPage& page, SPageJob job, std::string jobName);

    ISessionView& m_view;
    IByteSink& m_sink;
    CReceivePath m_rx;
    CDumpRouter m_router;
    CCommandQueue m_queue;
    std::vector<std::unique_ptr<CPage>> m_pages;
    std::string m_password;
    int m_loginRetries = 0;
    int m_profileBracketTicks = kProfileBracketTicks;
    int m_profileCommandTicks = kProfileCommandTicks;
    bool m_profileRunning = false;
    bool m_closing = false;
};

} // namespace orlan
