#pragma once
// The port: which one opens at start and when the user picks another (after
// asking about unwritten changes), the lamp and the link text that follow
// the link's health, and what is remembered of the choice. The link's
// health also says whether actions that need a terminal make sense.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <string_view>

#include "app/LinkHealth.h"

class QToolButton;

namespace orlan {

class CEditsGuard;
class CElidingLabel;
class CLinkBar;
class CMessageCentre;
class CReconnector;
class CRegSetting;
class CTerminalLink;
struct SStartOptions;

class CPortController final : public QObject {
    Q_OBJECT
public:
    static constexpr int kLampMs = 1000;

    struct SParts {
        CTerminalLink& link;
        CReconnector& reconnector;
        CRegSetting& linkSettings;
        CLinkBar& linkBar;
        CElidingLabel& linkText;
        // Offered while the port does not open: why, and what to do.
        QToolButton& doctor;
        CEditsGuard& edits;
        CMessageCentre& messages;
    };
    CPortController(SParts parts, QObject* parent);

    // The remembered port, speed and parity, or the port and password the
    // command line gave for this run; false when no port was given and no
    // adapter was found.
    bool ApplyStartOptions(const SStartOptions& options);
    void Open();
    // The lamp, the link text and the doctor's button as the channel is now.
    void Refresh();
    // Received text: its first line shows the terminal is there.
    void TextReceived(std::string_view chunk);
    void StoreSettings();

    bool TerminalActionsAllowed() const { return m_health.TerminalActionsAllowed(); }
    // The terminal has spoken since the port opened and not gone quiet.
    bool Answering() const;
    // The terminal sent a line within CLinkHealth::kSilentAfterMs.
    bool AnsweringLately() const;

Q_SIGNALS:
    // Another port is opening: what the window showed of the old one goes.
    void opening();
    // The user's port change went through: the old port's status texts go.
    void switched();
    void terminalActionsChanged(bool allowed);
    // Reconnect asked for: the whole configuration is to be read again.
    void reconnectAsked();

private:
    void ApplyParity();
    void SetLinkText(const QString& text);
    void OnPortChosen();
    // Opens the port (an entry by number - 1, or a path) once unwritten
    // changes are settled.
    void SwitchAfterAsking(int index, const QString& path);
    void OnOtherPort(const QString& text);

    SParts m_parts;
    QTimer m_lamp;
    CLinkHealth m_health;
    QElapsedTimer m_clock;
    // A port given for this run (a device path outside the list) and
    // whether the port choice is the user's, to be stored.
    QString m_overridePath;
    bool m_storePort = true;
    // The port entry open now, to go back to when a change is cancelled.
    int m_openIndex = -1;
};

} // namespace orlan
