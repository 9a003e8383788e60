#pragma once
// The link controls of the main window: port list (the ports that exist,
// with their device and stable name, the remembered one, and on request all
// of COM1..COM199), the port menu (reconnect, another port by its path,
// show all ports), the fixed speed, the hidden parity list, the masked
// password field with its login button, and the port state lamp.
#include <QWidget>

#include "app/LinkHealth.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace orlan {

class CLabelCatalogue;
class CRegSetting;

class CLinkBar final : public QWidget {
    Q_OBJECT
public:
    CLinkBar(const CLabelCatalogue& catalogue, const CRegSetting& settings, QWidget* parent = nullptr);

    // Port number - 1 of the chosen entry; -1 when none is chosen or the
    // chosen one is a device path outside the numbers.
    int PortIndex() const;
    // Chooses the port, listing it even when no device is behind it; an
    // index outside COM1..COM199 chooses nothing.
    void SetPortIndex(int index);
    // A device path outside the port numbers (given for this run): listed
    // as an entry of its own and chosen.
    void SetPortPath(const QString& path);
    // The chosen entry's device path when it is such an entry, else empty.
    QString ChosenPath() const;
    // Lists the ports again (devices came or went), keeping the choice.
    void RefreshPorts();
    void SetShowAllPorts(bool show);
    bool ShowsAllPorts() const;
    QAction* ReconnectAction() const { return m_reconnect; }
    QAction* OtherPortAction() const { return m_otherPort; }
    QAction* ShowAllPortsAction() const { return m_showAllPorts; }
    // The stored speed choice, kept as it was read: the console always runs
    // at 115 200 bit/s, so nothing here changes it.
    int SpeedIndex() const { return m_speedIndex; }
    void SetSpeedIndex(int index) { m_speedIndex = index; }
    int ParityIndex() const;
    void SetParityIndex(int index);
    QString Password() const;
    void SetPassword(const QString& password);
    // "Remember password for this port": off unless chosen for the port.
    bool RemembersPassword() const;
    void SetRemembersPassword(bool on);
    // The lamp: green once the terminal spoke, amber while an open port is
    // quiet, red when the link was lost, grey when closed.
    void SetPortState(CLinkHealth::EState state, const QString& description);

Q_SIGNALS:
    // Only for the user's choices, not for the Set... calls.
    void portChosen(int index);
    void parityChosen(int index);
    void passwordEdited(const QString& password);
    void loginClicked();
    void rememberPasswordClicked(bool on);
    void reconnectRequested();
    // The user typed a port ("/dev/pts/3", "COM5") under "Other port...".
    void otherPortEntered(const QString& text);

private:
    void AskOtherPort();

    const CRegSetting& m_settings;
    QComboBox* m_ports;
    QAction* m_reconnect;
    QAction* m_otherPort;
    QAction* m_showAllPorts;
    // Listed whatever devices exist: the remembered port and a given path.
    int m_keptNumber = 0;
    QString m_keptPath;
    int m_speedIndex = -1;
    QComboBox* m_parity;
    QLineEdit* m_password;
    QToolButton* m_login;
    QCheckBox* m_remember = nullptr;
    QLabel* m_state;
};

} // namespace orlan
