#pragma once
// Whether a profile run from the window took effect: once the run has ended
// and the whole read after it has completed, the profile's commands the
// terminal does not hold are named, as `orlan-cli exec --verify` prints
// them. When the read after the run fails, the link is lost or the terminal
// restarts during the run, the window says the check could not be made.
#include <QMessageBox>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace orlan {

class CMessageCentre;
class CTerminalSession;
struct SJobReport;

class CProfileVerification final : public QObject {
    Q_OBJECT
public:
    // How many settings that did not take effect are named before "...".
    static constexpr qsizetype kListed = 12;

    CProfileVerification(CTerminalSession& session, CMessageCentre& messages, QObject* parent);

    // The outcome on the status line; `failed` when a setting did not take
    // effect or the check could not be made.
    std::function<void(const QString& text, bool failed)> showOutcome;

    // Right before a run starts: the profile's text and the name it goes by
    // (a run still waiting for its check is not checked any more).
    void Expect(std::string profile, QString name);
    // The run did not start after all.
    void Drop() { m_pending.reset(); }
    bool Waiting() const { return m_pending.has_value(); }

    // What the session tells the window, handed on.
    void OnJobFinished(const std::string& name, const SJobReport& report);
    void OnWholeReadFailed(const std::string& reason);

private:
    void OnWholeRead(bool afterProfile);
    void CannotVerify(const QString& why);
    void Tell(QMessageBox::Icon icon, const QString& boxText, const QString& statusText);

    struct SPending {
        std::string profile;
        QString name;
        bool runEnded = false;
        // A read that failed while the run went on: the one after it, when
        // that failed before the run's report came.
        std::string lastReadFailure;
    };

    CTerminalSession& m_session;
    CMessageCentre& m_messages;
    std::optional<SPending> m_pending;
};

} // namespace orlan
