#include "app/PasswordKeeper.h"

#include "app/AppSettings.h"

#if ORLAN_HAVE_KEYCHAIN
#include <qt6keychain/keychain.h>
#endif

namespace orlan {

namespace {

constexpr char kRememberedPortsSetting[] = "link/passwordPorts";
constexpr char kKeyringService[] = "orlan terminal password";

} // namespace

CPasswordKeeper::CPasswordKeeper(QObject* parent) : QObject(parent) {}

bool CPasswordKeeper::Remembers(const QString& port) const
{
    return !port.isEmpty() &&
           CPreferences().value(QLatin1String(kRememberedPortsSetting)).toStringList().contains(port);
}

void CPasswordKeeper::SetRemembered(const QString& port, bool on)
{
    CPreferences preferences;
    QStringList ports = preferences.value(QLatin1String(kRememberedPortsSetting)).toStringList();
    ports.removeAll(port);
    if (on)
        ports.append(port);
    preferences.setValue(QLatin1String(kRememberedPortsSetting), ports);
}

void CPasswordKeeper::Failed(const QString& reason)
{
    // Once a run: a keyring that is not there stays away.
    if (m_toldUnavailable)
        return;
    m_toldUnavailable = true;
    Q_EMIT unavailable(tr("The desktop's keyring did not answer (%1): the password is not remembered.").arg(reason));
}

#if ORLAN_HAVE_KEYCHAIN

void CPasswordKeeper::Remember(const QString& port, const QString& password)
{
    if (port.isEmpty())
        return;
    SetRemembered(port, true);
    auto* job = new QKeychain::WritePasswordJob(QString::fromLatin1(kKeyringService), this);
    job->setInsecureFallback(false);  // never a plain file
    job->setKey(port);
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this, [this](QKeychain::Job* done) {
        if (done->error() != QKeychain::NoError)
            Failed(done->errorString());
    });
    job->start();
}

void CPasswordKeeper::Forget(const QString& port)
{
    if (port.isEmpty())
        return;
    SetRemembered(port, false);
    auto* job = new QKeychain::DeletePasswordJob(QString::fromLatin1(kKeyringService), this);
    job->setInsecureFallback(false);
    job->setKey(port);
    connect(job, &QKeychain::Job::finished, this, [this](QKeychain::Job* done) {
        if (done->error() != QKeychain::NoError && done->error() != QKeychain::EntryNotFound)
            Failed(done->errorString());
    });
    job->start();
}

void CPasswordKeeper::Recall(const QString& port, std::function<void(const QString&)> found)
{
    if (!Remembers(port))
        return;
    auto* job = new QKeychain::ReadPasswordJob(QString::fromLatin1(kKeyringService), this);
    job->setInsecureFallback(false);
    job->setKey(port);
    connect(job, &QKeychain::Job::finished, this, [this, found = std::move(found)](QKeychain::Job* done) {
        if (done->error() == QKeychain::NoError)
            found(static_cast<QKeychain::ReadPasswordJob*>(done)->textData());
        else if (done->error() != QKeychain::EntryNotFound)
            Failed(done->errorString());
    });
    job->start();
}

#else

// Built without QtKeychain: nothing is stored anywhere, and the user is told.
void CPasswordKeeper::Remember(const QString& port, const QString&)
{
    SetRemembered(port, true);
    Failed(tr("this build has no keyring support"));
}

void CPasswordKeeper::Forget(const QString& port)
{
    SetRemembered(port, false);
}

void CPasswordKeeper::Recall(const QString& port, std::function<void(const QString&)>)
{
    if (Remembers(port))
        Failed(tr("this build has no keyring support"));
}

#endif

} // namespace orlan
