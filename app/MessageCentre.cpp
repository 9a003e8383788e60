#include "app/MessageCentre.h"

#include <QDir>
#include <QPushButton>

#include "app/SessionTexts.h"
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"

namespace orlan {

namespace {

constexpr char kProfileOpenFailed[] = "Open the profile failed!";

} // namespace

CMessageCentre::CMessageCentre(QWidget& window, const CLabelCatalogue& catalogue)
    : QObject(&window), m_window(window), m_catalogue(catalogue)
{
}

QMessageBox* CMessageCentre::Open(const QString& kind, QMessageBox::Icon icon, const QString& text)
{
    QPointer<QMessageBox>& open = m_messages[kind];
    // A box closed but not yet deleted is not reused.
    if (open && open->isVisible()) {
        open->setIcon(icon);
        open->setText(text);
        open->raise();
        return open;
    }
    auto* box = new QMessageBox(icon, m_window.windowTitle(), text, QMessageBox::Ok, &m_window);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();  // not exec(): the receive path keeps running behind it
    open = box;
    return box;
}

QMessageBox* CMessageCentre::Ask(const QString& name, const QString& text,
                                 std::function<void(QMessageBox*)> answered)
{
    auto* box = new QMessageBox(QMessageBox::Question, m_window.windowTitle(), text,
                                QMessageBox::Yes | QMessageBox::No, &m_window);
    box->setObjectName(name);
    box->button(QMessageBox::Yes)->setText(QString::fromStdString(m_catalogue.Lookup(kCharYes, kSectionSysChar)));
    box->button(QMessageBox::No)->setText(QString::fromStdString(m_catalogue.Lookup(kCharNo, kSectionSysChar)));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [box, answered = std::move(answered)] { answered(box); });
    box->open();  // not exec(): the receive path keeps running behind it
    return box;
}

void CMessageCentre::ShowFileFailure(const QString& path, const QString& why)
{
    if (showStatus)
        showStatus(tr("%1: %2").arg(QDir::toNativeSeparators(path), SessionText(why.toStdString())));
    Open(QMessageBox::Critical, QString::fromLatin1(kProfileOpenFailed));
}

void CMessageCentre::ShowInformation(std::string_view text)
{
    Open(QMessageBox::Information, SessionText(text));
}

void CMessageCentre::ShowError(std::string_view text)
{
    Open(QMessageBox::Critical, SessionText(text));
}

} // namespace orlan
