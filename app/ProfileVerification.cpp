#include "app/ProfileVerification.h"

#include <QStringList>

#include <vector>

#include "app/MessageCentre.h"
#include "app/SessionTexts.h"
#include "session/ProfileDiff.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

// The name the session gives a profile run's job.
constexpr std::string_view kProfileJob = "Execute profile";

} // namespace

CProfileVerification::CProfileVerification(CTerminalSession& session, CMessageCentre& messages, QObject* parent)
    : QObject(parent), m_session(session), m_messages(messages)
{
    m_session.AddWholeReadObserver([this](bool afterProfile) { OnWholeRead(afterProfile); });
}

void CProfileVerification::Expect(std::string profile, QString name)
{
    m_pending = SPending{std::move(profile), std::move(name)};
}

void CProfileVerification::OnJobFinished(const std::string& name, const SJobReport& report)
{
    if (!m_pending || m_pending->runEnded || name != kProfileJob)
        return;
    m_pending->runEnded = true;
    // Only closing the window cancels a run: nobody is left to tell.
    if (report.cancelled) {
        m_pending.reset();
        return;
    }
    if (m_session.ProfileCutByRestart()) {
        CannotVerify(tr("the terminal restarted during the run"));
        return;
    }
    const CTerminalSession::EWholeRead read = m_session.WholeRead();
    if (read == CTerminalSession::EWholeRead::Settling || read == CTerminalSession::EWholeRead::Requested)
        return;  // the read after the run is under way
    CannotVerify(m_pending->lastReadFailure.empty() ? tr("the terminal was not read after the run")
                                                    : SessionText(m_pending->lastReadFailure));
}

void CProfileVerification::OnWholeReadFailed(const std::string& reason)
{
    if (!m_pending)
        return;
    if (m_pending->runEnded)
        CannotVerify(SessionText(reason));
    else
        m_pending->lastReadFailure = reason;
}

void CProfileVerification::OnWholeRead(bool afterProfile)
{
    // Any complete read after the run holds what the terminal kept of it
    // (one the user asked for in between too); one that ends during the run does not.
    if (!m_pending || !(m_pending->runEnded || afterProfile))
        return;
    const SPending pending = std::move(*m_pending);
    m_pending.reset();
    const std::vector<std::string> notHeld = CommandsNotHeld(pending.profile, m_session.ProfileBytes());
    if (notHeld.empty()) {
        const QString text = tr("Every setting of %1 took effect: the terminal read after the run holds all of them.")
                                 .arg(pending.name);
        Tell(QMessageBox::Information, text, text);
        return;
    }
    QStringList listed;
    for (size_t i = 0; i < notHeld.size() && listed.size() < kListed; ++i)
        listed.append(QString::fromStdString(notHeld[i]));
    const bool more = notHeld.size() > static_cast<size_t>(kListed);
    const QString head = tr("%n setting(s) of %1 did not take effect: the terminal read after the run does not hold "
                            "them:",
                            nullptr, static_cast<int>(notHeld.size()))
                             .arg(pending.name);
    Tell(QMessageBox::Warning,
         head + QStringLiteral("\n\n") + listed.join(QLatin1Char('\n')) + (more ? QStringLiteral("\n...") : QString()),
         head + QLatin1Char(' ') + listed.join(QStringLiteral(", ")) + (more ? QStringLiteral(", ...") : QString()));
}

void CProfileVerification::CannotVerify(const QString& why)
{
    const QString name = m_pending ? m_pending->name : QString();
    m_pending.reset();
    const QString text = tr("Whether the settings of %1 took effect could not be verified: %2").arg(name, why);
    Tell(QMessageBox::Warning, text, text);
}

void CProfileVerification::Tell(QMessageBox::Icon icon, const QString& boxText, const QString& statusText)
{
    if (showOutcome)
        showOutcome(statusText, icon != QMessageBox::Information);
    m_messages.Open(QStringLiteral("profileVerification"), icon, boxText)
        ->setObjectName(QStringLiteral("verificationBox"));
}

} // namespace orlan
