#pragma once
// The link controls of the main window: port list (COM1..COM199 with the
// device behind each), speed list, the hidden parity list, the masked
// password field with its login button, and the port state lamp.
#include <QWidget>

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
    static constexpr int kSpeedCount = 10;

    CLinkBar(const CLabelCatalogue& catalogue, const CRegSetting& settings, QWidget* parent = nullptr);

    // -1 when no entry is selected (a port given as a path, or a stored
    // index outside the list).
    int PortIndex() const;
    void SetPortIndex(int index);
    // Shown in the empty port list when the port is a device path.
    void SetPortPlaceholder(const QString& text);
    int SpeedIndex() const;
    void SetSpeedIndex(int index);
    int ParityIndex() const;
    void SetParityIndex(int index);
    QString Password() const;
    void SetPassword(const QString& password);
    void SetPortState(bool open, const QString& description);

Q_SIGNALS:
    // Only for the user's choices, not for the Set... calls.
    void portChosen(int index);
    void speedChosen(int index);
    void parityChosen(int index);
    void passwordEdited(const QString& password);
    void loginClicked();

private:
    QComboBox* m_ports;
    QComboBox* m_speeds;
    QComboBox* m_parity;
    QLineEdit* m_password;
    QToolButton* m_login;
    QLabel* m_state;
};

} // namespace orlan
