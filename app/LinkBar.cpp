#include "app/LinkBar.h"

#include "console/ConsoleCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>


#include "app/AppIcons.h"
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "link/PortDoctor.h"
#include "link/PortNames.h"
#include "platform/RegSetting.h"
#include "widgets/LazyIcons.h"

namespace orlan {

namespace {

constexpr int kConsoleBaudRate = 115200;
constexpr int kLampSize = 14;

QString Catalogue(const CLabelCatalogue& catalogue, std::string_view key, std::string_view section)
{
    return QString::fromStdString(catalogue.Lookup(key, section));
}

constexpr int kNumberRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;
// The stable name of a device (udev's by-id link): the name a person finds
// on the adapter's box; empty without one.
QString StableName(const CPortDoctor& doctor, const QString& device)
{
    const QStringList names = doctor.Identify(device).byIdNames;
    return names.isEmpty() ? QString() : QFileInfo(names.front()).fileName();
}

// Lists the ports anew whenever it opens: devices come and go.
class CPortList final : public QComboBox {
public:
    CPortList(CLinkBar& bar, QWidget* parent) : QComboBox(parent), m_bar(bar) {}

    void showPopup() override
    {
        m_bar.RefreshPorts();
        // The popup is as wide as its longest entry, the box stays narrow.
        int widest = 0;
        for (int i = 0; i < count(); ++i)
            widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)));
        view()->setMinimumWidth(widest + 4 * fontMetrics().averageCharWidth());
        QComboBox::showPopup();
    }

private:
    CLinkBar& m_bar;
};

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CLinkBar::CLinkBar(const CLabelCatalogue& catalogue, const CRegSetting& settings, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_ports(new CPortList(*this, this)),
      m_reconnect(new QAction(tr("Reconnect"), this)),
      m_otherPort(new QAction(tr("Other port..."), this)),
      m_showAllPorts(new QAction(tr("Show all COM ports"), this)),
      m_parity(new QComboBox(this)),
      m_password(new QLineEdit(QString::fromLatin1(kInitialPassword.data(), static_cast<qsizetype>(kInitialPassword.size())), this)),
      m_login(new QToolButton(this)),
      m_state(new QLabel(this))
{
    m_ports->setObjectName(QStringLiteral("portList"));
    m_ports->setMaxVisibleItems(16);
    m_ports->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_ports->setMinimumContentsLength(14);
    m_reconnect->setObjectName(QStringLiteral("actionReconnect"));
    m_reconnect->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    m_reconnect->setToolTip(tr("Open the port again and log in, after the link was lost (Ctrl+Shift+R)"));
    m_otherPort->setObjectName(QStringLiteral("actionOtherPort"));
    m_otherPort->setToolTip(tr("Use a device by its path: a simulator's pty, socat, rfcomm"));
    m_showAllPorts->setObjectName(QStringLiteral("actionShowAllPorts"));
    m_showAllPorts->setCheckable(true);
    m_showAllPorts->setToolTip(tr("List COM1 to COM199, also those with no device behind them"));
    auto* portMenuButton = new QToolButton(this);
    portMenuButton->setObjectName(QStringLiteral("portMenuButton"));
    portMenuButton->setText(QStringLiteral("\u22EF"));
    portMenuButton->setToolTip(tr("Port: reconnect, other port, all COM ports"));
    portMenuButton->setPopupMode(QToolButton::InstantPopup);
    portMenuButton->setAutoRaise(true);
    auto* portMenu = new QMenu(portMenuButton);
    portMenu->addAction(m_reconnect);
    portMenu->addAction(m_otherPort);
    portMenu->addSeparator();
    portMenu->addAction(m_showAllPorts);
    portMenuButton->setMenu(portMenu);
    // The terminal's console has one speed: a box to choose from would
    // promise what the link never does.
    auto* speed = new QLabel(tr("%1 bit/s").arg(kConsoleBaudRate), this);
    speed->setObjectName(QStringLiteral("speedLabel"));
    speed->setToolTip(tr("The terminal's console always runs at 115 200 bit/s, 8 data bits, no parity, 1 stop bit."));
    m_parity->setObjectName(QStringLiteral("parityList"));
    for (size_t i = 0; i < kMainWindowParityCount; ++i)
        m_parity->addItem(Catalogue(catalogue, kParityKeys[i], kSectionSysChar));
    m_password->setObjectName(QStringLiteral("passwordField"));
    m_password->setEchoMode(QLineEdit::Password);
    // With its CR the password must fit the terminal's one input line.
    m_password->setMaxLength(static_cast<int>(kTerminalLineLimit) - 1);
    m_password->setMinimumWidth(150);
    // So a user sees what the field holds before blaming the terminal.
    QAction* reveal = m_password->addAction(RevealIcon(false), QLineEdit::TrailingPosition);
    reveal->setObjectName(QStringLiteral("actionRevealPassword"));
    reveal->setCheckable(true);
    reveal->setToolTip(tr("Show the password"));
    connect(reveal, &QAction::toggled, this, [this, reveal](bool shown) {
        m_password->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        reveal->setIcon(RevealIcon(shown));
        reveal->setToolTip(shown ? tr("Hide the password") : tr("Show the password"));
    });
    m_login->setObjectName(QStringLiteral("loginButton"));
    m_login->setIcon(StyleIcon(QStyle::SP_DialogOkButton));
    m_login->setToolTip(Catalogue(catalogue, "PWD", kSectionSysBtn));
    m_login->setAutoRaise(true);
    m_state->setObjectName(QStringLiteral("portState"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(Label(Catalogue(catalogue, "RS232", kSectionSysBtn), m_ports, this));
    layout->addWidget(m_state);
    layout->addWidget(m_ports);
    layout->addWidget(portMenuButton);
    layout->addSpacing(10);
    layout->addWidget(Label(Catalogue(catalogue, "BPS", kSectionSysBtn), speed, this));
    layout->addWidget(speed);
    QLabel* parityLabel = Label(Catalogue(catalogue, "PARITY", kSectionSysBtn), m_parity, this);
    layout->addWidget(parityLabel);
    layout->addWidget(m_parity);
    layout->addSpacing(10);
    layout->addWidget(Label(Catalogue(catalogue, "PWD", kSectionSysBtn), m_password, this));
    layout->addWidget(m_password);
    layout->addWidget(m_login);
    m_remember = new QCheckBox(tr("Remember password for this port"), this);
    m_remember->setObjectName(QStringLiteral("rememberPassword"));
    m_remember->setToolTip(tr("Kept in the desktop's keyring, never in a file"));
    layout->addWidget(m_remember);
    // The console's parity is fixed by the terminal; the choice stays stored.
    parityLabel->hide();
    m_parity->hide();
    SetPortState(CLinkHealth::EState::Closed, {});
    RefreshPorts();

    connect(m_ports, &QComboBox::activated, this, &CLinkBar::portChosen);
    connect(m_parity, &QComboBox::activated, this, &CLinkBar::parityChosen);
    connect(m_password, &QLineEdit::textEdited, this, &CLinkBar::passwordEdited);
    connect(m_password, &QLineEdit::returnPressed, this, &CLinkBar::loginClicked);
    connect(m_login, &QToolButton::clicked, this, &CLinkBar::loginClicked);
    connect(m_remember, &QCheckBox::clicked, this, &CLinkBar::rememberPasswordClicked);
    connect(m_reconnect, &QAction::triggered, this, &CLinkBar::reconnectRequested);
    connect(m_otherPort, &QAction::triggered, this, &CLinkBar::AskOtherPort);
    connect(m_showAllPorts, &QAction::toggled, this, [this] { RefreshPorts(); });
}

void CLinkBar::RefreshPorts()
{
    const int chosenNumber = m_ports->currentData(kNumberRole).toInt();
    const QString chosenPath = m_ports->currentData(kPathRole).toString();
    const bool all = m_showAllPorts->isChecked();
    // Naming a port needs no user or group lookups (which load the name
    // service on every refresh); the doctor's dialog makes its own.
    const CPortDoctor doctor({}, {});
    const QSignalBlocker blocker(m_ports);
    m_ports->clear();
    int number = 0;
    for (const PortListEntry& entry : PortList(m_settings)) {
        ++number;
        const bool kept = number == m_keptNumber || number == chosenNumber;
        if (!all && entry.device.isEmpty() && !kept)
            continue;
        QString text = entry.name;
        if (!entry.device.isEmpty())
            text += QStringLiteral("  ") + entry.device;
        const QString stableName = entry.device.isEmpty() ? QString() : StableName(doctor, entry.device);
        if (!stableName.isEmpty())
            text += QStringLiteral("  (") + stableName + QLatin1Char(')');
        m_ports->addItem(text, number);
        m_ports->setItemData(m_ports->count() - 1, stableName.isEmpty() ? entry.device : stableName, Qt::ToolTipRole);
    }
    if (!m_keptPath.isEmpty()) {
        m_ports->addItem(m_keptPath, 0);
        m_ports->setItemData(m_ports->count() - 1, m_keptPath, kPathRole);
    }
    int index = -1;
    for (int i = 0; i < m_ports->count(); ++i) {
        const bool isPath = !m_ports->itemData(i, kPathRole).toString().isEmpty();
        if ((isPath && m_ports->itemData(i, kPathRole).toString() == chosenPath) ||
            (!isPath && chosenNumber > 0 && m_ports->itemData(i, kNumberRole).toInt() == chosenNumber))
            index = i;
    }
    m_ports->setCurrentIndex(index);
}

void CLinkBar::SetShowAllPorts(bool show)
{
    m_showAllPorts->setChecked(show);
}

bool CLinkBar::ShowsAllPorts() const
{
    return m_showAllPorts->isChecked();
}

void CLinkBar::AskOtherPort()
{
    auto* dialog = new QInputDialog(this);
    dialog->setObjectName(QStringLiteral("otherPortDialog"));
    dialog->setWindowTitle(tr("Other port"));
    dialog->setLabelText(tr("Device path of the port (for example /dev/pts/3 or /dev/rfcomm0), or COMn:"));
    dialog->setTextValue(ChosenPath());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QInputDialog::textValueSelected, this, [this](const QString& text) {
        if (!text.trimmed().isEmpty())
            Q_EMIT otherPortEntered(text.trimmed());
    });
    dialog->open();  // no nested event loop
}

int CLinkBar::PortIndex() const
{
    const int number = m_ports->currentData(kNumberRole).toInt();
    return number > 0 ? number - 1 : -1;
}

void CLinkBar::SetPortIndex(int index)
{
    const int number = index + 1;
    if (number < 1 || number > kPortCount) {
        m_ports->setCurrentIndex(-1);
        return;
    }
    m_keptNumber = number;
    RefreshPorts();
    const QSignalBlocker blocker(m_ports);
    m_ports->setCurrentIndex(m_ports->findData(number, kNumberRole));
}

void CLinkBar::SetPortPath(const QString& path)
{
    m_keptPath = path;
    RefreshPorts();
    const QSignalBlocker blocker(m_ports);
    m_ports->setCurrentIndex(path.isEmpty() ? -1 : m_ports->findData(path, kPathRole));
}

QString CLinkBar::ChosenPath() const
{
    return m_ports->currentData(kPathRole).toString();
}

int CLinkBar::ParityIndex() const
{
    return m_parity->currentIndex();
}

void CLinkBar::SetParityIndex(int index)
{
    m_parity->setCurrentIndex(index >= 0 && index < m_parity->count() ? index : -1);
}

QString CLinkBar::Password() const
{
    return m_password->text();
}

void CLinkBar::SetPassword(const QString& password)
{
    m_password->setText(password);
}

bool CLinkBar::RemembersPassword() const
{
    return m_remember->isChecked();
}

void CLinkBar::SetRemembersPassword(bool on)
{
    m_remember->setChecked(on);
}

void CLinkBar::SetPortState(CLinkHealth::EState state, const QString& description)
{
    using EState = CLinkHealth::EState;
    struct SLamp {
        QColor colour;
        const char* name;
    };
    const SLamp lamp = [state]() -> SLamp {
        switch (state) {
        case EState::Alive:
            return {QColor(0x2e, 0xa0, 0x43), "alive"};
        case EState::Waiting:
            return {QColor(0xe0, 0xa0, 0x20), "waiting"};
        case EState::Silent:
            return {QColor(0xe0, 0x80, 0x10), "silent"};
        case EState::Lost:
            return {QColor(0xd0, 0x30, 0x30), "lost"};
        case EState::Closed:
            break;
        }
        return {QColor(0x9a, 0xa0, 0xa6), "closed"};
    }();
    m_state->setPixmap(PortStatePixmap(lamp.colour, kLampSize));
    m_state->setToolTip(description);
    m_state->setProperty("open", state == EState::Waiting || state == EState::Silent || state == EState::Alive);
    m_state->setProperty("health", QString::fromLatin1(lamp.name));
}

} // namespace orlan
