#pragma once
// What the receive path tells the rest of the program. Every call happens on
// the thread that feeds the receive path; all have empty defaults so that a
// listener overrides only what it shows.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orlan {

enum class EAnswer { PleaseWait, CmdOk, CmdErr };

struct SEventRow;

class IReceiveListener {
public:
    virtual ~IReceiveListener() = default;

    // Every text-mode chunk as received, for the console terminal page.
    virtual void OnRawText(std::string_view /*chunk*/) {}
    virtual void OnLineLogged(std::string_view /*line*/) {}

    virtual void OnStatusText(const std::string& /*text*/) {}
    virtual void OnSecondStatusText(const std::string& /*text*/) {}

    // The progress window: run for n ticks of 500 ms, optionally with a text;
    // Finish shows the closing text and closes it a few ticks later.
    virtual void OnProgressShow(int /*ticks*/) {}
    virtual void OnProgressShowLine(int /*ticks*/, const std::string& /*text*/) {}
    virtual void OnProgressFinish() {}
    virtual void OnBeep() {}

    // An answer line ("Please wait", "CMD OK", "CMD ERR") arrived.
    virtual void OnAnswer(EAnswer /*answer*/) {}

    // "Login Success": reset the retry counter and read the whole configuration.
    virtual void OnLoginSuccess() {}
    // "Login Failed": an automatic password retry is requested.
    virtual void OnLoginFailed() {}
    // A login prompt ("please input password", "Console started, please
    // login"): the receive path answers it with the password unless this
    // says no (the session does when a login attempt has used its retries).
    virtual bool OnPasswordPrompt() { return true; }
    // A line containing "DUMPR" arrived: only the end line of some dump. The
    // session decides whether it ends its own whole read (see ISessionView).
    virtual void OnDumpEndLine() {}
    // The boot prompt arrived while the setup request was armed: send the key run again.
    virtual void OnSetupKeyRunRequested() {}

    // A camera picture is complete (marker removed), or it failed.
    virtual void OnPictureComplete(std::span<const uint8_t> /*jpeg*/) {}
    virtual void OnPictureFailed() {}

    virtual void OnEventAppended(const SEventRow& /*row*/) {}
};

// Where dump lines go after the status and login tests: temperature pages,
// main parameters parser, the priority row and the three routing chains, in
// that order.
class IDumpDispatcher {
public:
    virtual ~IDumpDispatcher() = default;
    virtual void DispatchLine(std::string_view line) = 0;
};

} // namespace orlan
