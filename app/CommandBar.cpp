#include "app/CommandBar.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include "app/EditsGuard.h"
#include "app/MessageCentre.h"
#include "app/PortController.h"
#include "app/ProfileController.h"
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "session/TerminalSession.h"
#include "widgets/LazyIcons.h"
#include "OrlanVersion.h"

namespace orlan {

CCommandBar::CCommandBar(SParts parts, QWidget* parent) : QToolBar(parent), m_parts(parts)
{
    setObjectName(QStringLiteral("commandBar"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(18, 18));
    setContentsMargins(8, 2, 8, 2);
    Add("actionSetup", "SETUP", QStyle::SP_DialogApplyButton, [this] { Setup(); })
        ->setToolTip(tr("Bring the terminal into its setup mode"));
    QAction* reload = Add("actionReload", "RELOAD", QStyle::SP_BrowserReload, [this] { ReloadAfterAsking(); });
    reload->setShortcut(QKeySequence(Qt::Key_F5));
    reload->setToolTip(tr("Read the whole configuration from the terminal (F5)"));
    Add("actionRestart", "RESTART", QStyle::SP_MediaSkipBackward, [this] { Restart(); })
        ->setToolTip(tr("Restart the terminal (asks first)"));
    addSeparator();
    CProfileController& profiles = m_parts.profiles;
    Add("actionSave", "SAVE", QStyle::SP_DialogSaveButton, [&profiles] { profiles.Save(); })
        ->setToolTip(tr("Save the pages' configuration as a profile file"));
    QAction* compare = addAction(StyleIcon(QStyle::SP_FileDialogContentsView), tr("Compare with profile..."));
    compare->setObjectName(QStringLiteral("actionCompare"));
    compare->setToolTip(tr("Show how the terminal's configuration differs from a profile file"));
    connect(compare, &QAction::triggered, this, [&profiles] { profiles.Compare(); });
    Add("actionExec", "EXEC", QStyle::SP_MediaPlay, [&profiles] { profiles.Execute(); })
        ->setToolTip(tr("Send a profile file to the terminal"));
    addSeparator();
    Add("actionDefaults", "DEFAULTS", QStyle::SP_DialogResetButton, [this] { Defaults(); })
        ->setToolTip(tr("Reset the terminal to its factory settings (asks first)"));

    auto* spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
    QAction* about = addAction(StyleIcon(QStyle::SP_MessageBoxInformation), QString());
    about->setObjectName(QStringLiteral("actionAbout"));
    about->setToolTip(tr("About"));
    connect(about, &QAction::triggered, this, [this] {
        m_parts.messages.Open(QMessageBox::Information,
                              tr("%1\nVersion %2\n\nConfigures GSM/GPRS alarm and telemetry terminals over their "
                                 "serial console.\nLicence: GPL-3.0-or-later")
                                  .arg(window()->windowTitle(), QString::fromLatin1(kOrlanVersion)));
    });
}

QAction* CCommandBar::Add(const char* name, std::string_view key, QStyle::StandardPixmap icon,
                              std::function<void()> handler)
{
    QAction* action = addAction(StyleIcon(icon),
                                QString::fromStdString(m_parts.catalogue.Lookup(key, kSectionSysBtn)));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, std::move(handler));
    return action;
}

void CCommandBar::ReloadAfterAsking()
{
    // The read replaces what the pages show.
    auto read = [this] {
        m_parts.edits.AskFirst(QStringLiteral("reloadEditsQuestion"), tr("reading the whole configuration"),
                               [this] { m_parts.session.Reload(); });
    };
    if (askBeforeReading)
        askBeforeReading(read);
    else
        read();
}

void CCommandBar::SetTerminalActionsAllowed(bool allowed)
{
    for (const char* name : {"actionSetup", "actionReload", "actionRestart", "actionExec", "actionDefaults"}) {
        if (auto* action = findChild<QAction*>(QString::fromLatin1(name)))
            action->setEnabled(allowed);
    }
}

void CCommandBar::Setup()
{
    m_parts.ports.StoreSettings();
    if (m_setupBox) {
        m_setupBox->raise();
        return;
    }
    // The key run goes out only once the user has read the message and closed it.
    m_setupBox = m_parts.messages.Open(QMessageBox::Information,
                                       QString::fromStdString(m_parts.catalogue.Lookup(kMsgSetupMode, kSectionSysMsg)));
    connect(m_setupBox, &QMessageBox::finished, this, [this] { m_parts.session.EnterSetupMode(); });
}

void CCommandBar::Restart()
{
    m_parts.messages.Ask(
        QStringLiteral("restartQuestion"),
        tr("Restart the terminal now?\n\nIt stops working while it starts again: a call, a message or an alarm in "
           "progress is lost, and the console shows the start-up."),
        [this](QMessageBox* box) {
            if (box->clickedButton() == box->button(QMessageBox::Yes))
                m_parts.session.Restart();
        });
}

void CCommandBar::Defaults()
{
    QMessageBox* box = m_parts.messages.Ask(
        QStringLiteral("defaultsQuestion"),
        tr("Reset the terminal to its factory defaults?\n\nEvery setting on the terminal is lost: phone numbers, "
           "message texts, zones, timers, names and all parameters are replaced by the factory values."),
        [this](QMessageBox* answered) {
            const QAbstractButton* clicked = answered->clickedButton();
            if (clicked == answered->button(QMessageBox::Yes)) {
                m_parts.session.FactoryDefaults();
            } else if (clicked != nullptr && clicked->objectName() == QLatin1String("backupButton")) {
                // The reset follows only a backup that was written.
                m_parts.profiles.ChooseFileToSave([this](const QString&) { m_parts.session.FactoryDefaults(); });
            }
        });
    QPushButton* backup = box->addButton(tr("Save a backup, then reset..."), QMessageBox::AcceptRole);
    backup->setObjectName(QStringLiteral("backupButton"));
    if (!m_parts.session.HoldsWholeRead()) {
        backup->setEnabled(false);
        backup->setToolTip(tr("The configuration has not been read from the terminal: a backup would hold defaults."));
    }
}

} // namespace orlan
