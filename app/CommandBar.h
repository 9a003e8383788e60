#pragma once
// The window's command bar and what its commands do: setup mode, read all
// (after asking about unwritten changes), restart and factory defaults
// (each asked first), the profile commands and About. The commands that
// need a terminal are off while the link is lost.
#include <QPointer>
#include <QStyle>
#include <QToolBar>

#include <functional>
#include <string_view>

class QMessageBox;

namespace orlan {

class CEditsGuard;
class CLabelCatalogue;
class CMessageCentre;
class CPortController;
class CProfileController;
class CTerminalSession;

class CCommandBar final : public QToolBar {
    Q_OBJECT
public:
    struct SParts {
        CTerminalSession& session;
        const CLabelCatalogue& catalogue;
        CMessageCentre& messages;
        CProfileController& profiles;
        CEditsGuard& edits;
        CPortController& ports;
    };
    CCommandBar(SParts parts, QWidget* parent);

    // Read all, after asking about unwritten changes.
    void ReloadAfterAsking();
    // Asked before a read replaces what the pages show (a profile file
    // shown); runs what it is given when the user agrees.
    std::function<void(std::function<void()>)> askBeforeReading;
    void SetTerminalActionsAllowed(bool allowed);

private:
    QAction* Add(const char* name, std::string_view key, QStyle::StandardPixmap icon, std::function<void()> handler);
    void Setup();
    void Restart();
    void Defaults();

    SParts m_parts;
    QPointer<QMessageBox> m_setupBox;
};

} // namespace orlan
