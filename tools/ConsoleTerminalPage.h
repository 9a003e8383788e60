#pragma once
// The console terminal page: the raw console traffic as received, a send
// box whose text goes out exactly as typed, and the two key-learning
// commands. It is no settings page: it has no page and no page buttons.
#include <QString>

#include <string_view>

#include "tools/ConsoleReceiveText.h"
#include "widgets/PageView.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace orlan {

class CLabelCatalogue;
class CRegSetting;
class CTerminalSession;

inline constexpr std::string_view kLearnKeyCommand = "%LKEY\r";
inline constexpr std::string_view kEraseKeysCommand = "%EKEY\r";

// The page's values kept in the link settings store; they are never sent.
struct SConsoleKeptValues {
    QString localNumber;  // "LOCALNUM"
    QString serverPort;   // "SVRPORT"
    QString ipAddress;    // "IPADDRESS"
};

class CConsoleTerminalView : public CPageView {
    Q_OBJECT
public:
    // Loads the kept values from `settings`, which must outlive the view.
    CConsoleTerminalView(CTerminalSession& session, CRegSetting& settings, const CLabelCatalogue& catalogue,
                         QWidget* parent = nullptr);

    CPage* Page() const override { return nullptr; }
    // The page has no read or write buttons.
    void SetPageButtonsEnabled(bool /*enabled*/) override {}

    // A received block of any size, shown whole at the end of the view.
    void AppendReceived(std::string_view block);
    void ClearView();
    // Writes the kept values back to the store (when the main window closes).
    void StoreKeptValues();

    void OnRawText(std::string_view chunk) override { AppendReceived(chunk); }
    void OnRestart() override { ClearView(); }
    void StoreChoices() override { StoreKeptValues(); }

    const SConsoleKeptValues& KeptValues() const { return m_kept; }
    QPlainTextEdit* ReceiveView() const { return m_receiveView; }
    QPlainTextEdit* SendBox() const { return m_sendBox; }
    QCheckBox* AutoClearBox() const { return m_autoClear; }
    QPushButton* SendButton() const { return m_sendButton; }
    QPushButton* ClearButton() const { return m_clearButton; }
    QPushButton* StudyButton() const { return m_studyButton; }
    QPushButton* EraseButton() const { return m_eraseButton; }

private:
    void Send();
    void ClearAndSend(std::string_view command);

    CTerminalSession& m_session;
    CRegSetting& m_settings;
    SConsoleKeptValues m_kept;
    CConsoleReceiveText m_received;
    QPlainTextEdit* m_receiveView = nullptr;
    QPlainTextEdit* m_sendBox = nullptr;
    QCheckBox* m_autoClear = nullptr;
    QPushButton* m_sendButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_studyButton = nullptr;
    QPushButton* m_eraseButton = nullptr;
};

CConsoleTerminalView* CreateConsoleTerminalView(CTerminalSession& session, CRegSetting& settings,
                                                const CLabelCatalogue& catalogue, QWidget* parent);

} // namespace orlan
