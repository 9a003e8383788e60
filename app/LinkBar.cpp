#include "app/LinkBar.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include <array>

#include "app/AppIcons.h"
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "link/PortNames.h"
#include "link/RegSetting.h"

namespace orlan {

namespace {

constexpr std::array<const char*, CLinkBar::kSpeedCount> kSpeeds = {
    "300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
constexpr int kLampSize = 14;
constexpr char kInitialPassword[] = "rain is a cold one";

QString Catalogue(const CLabelCatalogue& catalogue, std::string_view key, std::string_view section)
{
    return QString::fromStdString(catalogue.Lookup(key, section));
}

// The port list notes the device behind each port; devices come and go, so
// the notes are renewed whenever the list opens.
class CPortList final : public QComboBox {
public:
    CPortList(const CRegSetting& settings, QWidget* parent) : QComboBox(parent), m_settings(settings)
    {
        for (const PortListEntry& entry : PortList(m_settings))
            addItem(entry.name);
        Annotate();
    }

    void showPopup() override
    {
        Annotate();
        QComboBox::showPopup();
    }

private:
    void Annotate()
    {
        const QList<PortListEntry> entries = PortList(m_settings);
        for (qsizetype i = 0; i < entries.size() && i < count(); ++i) {
            const PortListEntry& entry = entries[i];
            const int row = static_cast<int>(i);
            setItemText(row, entry.device.isEmpty() ? entry.name : entry.name + QStringLiteral("  ") + entry.device);
            setItemData(row, entry.device, Qt::ToolTipRole);
        }
    }

    const CRegSetting& m_settings;
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
      m_ports(new CPortList(settings, this)),
      m_speeds(new QComboBox(this)),
      m_parity(new QComboBox(this)),
      m_password(new QLineEdit(QString::fromLatin1(kInitialPassword), this)),
      m_login(new QToolButton(this)),
      m_state(new QLabel(this))
{
    m_ports->setObjectName(QStringLiteral("portList"));
    m_ports->setMaxVisibleItems(16);
    m_ports->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_ports->setMinimumContentsLength(14);
    m_speeds->setObjectName(QStringLiteral("speedList"));
    m_speeds->setToolTip(tr("The console always runs at 115 200 bit/s; the choice here is only kept."));
    for (const char* speed : kSpeeds)
        m_speeds->addItem(QString::fromLatin1(speed));
    m_parity->setObjectName(QStringLiteral("parityList"));
    for (size_t i = 0; i < kMainWindowParityCount; ++i)
        m_parity->addItem(Catalogue(catalogue, kParityKeys[i], kSectionSysChar));
    m_password->setObjectName(QStringLiteral("passwordField"));
    m_password->setEchoMode(QLineEdit::Password);
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
    m_login->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    m_login->setToolTip(Catalogue(catalogue, "PWD", kSectionSysBtn));
    m_login->setAutoRaise(true);
    m_state->setObjectName(QStringLiteral("portState"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(Label(Catalogue(catalogue, "RS232", kSectionSysBtn), m_ports, this));
    layout->addWidget(m_state);
    layout->addWidget(m_ports);
    layout->addSpacing(10);
    layout->addWidget(Label(Catalogue(catalogue, "BPS", kSectionSysBtn), m_speeds, this));
    layout->addWidget(m_speeds);
    QLabel* parityLabel = Label(Catalogue(catalogue, "PARITY", kSectionSysBtn), m_parity, this);
    layout->addWidget(parityLabel);
    layout->addWidget(m_parity);
    layout->addSpacing(10);
    layout->addWidget(Label(Catalogue(catalogue, "PWD", kSectionSysBtn), m_password, this));
    layout->addWidget(m_password);
    layout->addWidget(m_login);
    // The console's parity is fixed by the terminal; the choice stays stored.
    parityLabel->hide();
    m_parity->hide();
    SetPortState(false, {});

    connect(m_ports, &QComboBox::activated, this, &CLinkBar::portChosen);
    connect(m_speeds, &QComboBox::activated, this, &CLinkBar::speedChosen);
    connect(m_parity, &QComboBox::activated, this, &CLinkBar::parityChosen);
    connect(m_password, &QLineEdit::textEdited, this, &CLinkBar::passwordEdited);
    connect(m_password, &QLineEdit::returnPressed, this, &CLinkBar::loginClicked);
    connect(m_login, &QToolButton::clicked, this, &CLinkBar::loginClicked);
}

int CLinkBar::PortIndex() const
{
    return m_ports->currentIndex();
}

void CLinkBar::SetPortIndex(int index)
{
    m_ports->setCurrentIndex(index >= 0 && index < m_ports->count() ? index : -1);
}

void CLinkBar::SetPortPlaceholder(const QString& text)
{
    m_ports->setPlaceholderText(text);
    m_ports->setToolTip(text);
}

int CLinkBar::SpeedIndex() const
{
    return m_speeds->currentIndex();
}

void CLinkBar::SetSpeedIndex(int index)
{
    m_speeds->setCurrentIndex(index >= 0 && index < m_speeds->count() ? index : -1);
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

void CLinkBar::SetPortState(bool open, const QString& description)
{
    m_state->setPixmap(PortStatePixmap(open, kLampSize));
    m_state->setToolTip(description);
    m_state->setProperty("open", open);
}

} // namespace orlan
