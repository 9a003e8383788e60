#pragma once
// The console terminal page: the raw console traffic as received, a send
// box whose text goes out exactly as typed (with the line end the user
// chose: CR unless changed, none or CR LF), and the two key-learning
// commands (erasing every learned key asks first). As in the
// raw terminals its users know: Enter may send (Shift+Enter breaks the
// line), Up and Down walk the sent texts, what was sent shows in the view
// in another colour, lines may carry time stamps, and the view can be saved.
// It is no settings page: it has no page and no page buttons.
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

#include "tools/ConsoleReceiveText.h"
#include "widgets/FrameThrottle.h"
#include "widgets/PageView.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace orlan {

class CLabelCatalogue;
class CRegSetting;
class CTerminalSession;

inline constexpr std::string_view kLearnKeyCommand = "%LKEY\r";
inline constexpr std::string_view kEraseKeysCommand = "%EKEY\r";

// What Send puts behind the typed text; the order of the line-end list.
enum class ESendLineEnd { None, Cr, CrLf };
inline constexpr ESendLineEnd kDefaultLineEnd = ESendLineEnd::Cr;
std::string_view LineEndBytes(ESendLineEnd end);

// The page's values kept in the link settings store; they are never sent.
struct SConsoleKeptValues {
    QString localNumber;  // "LOCALNUM"
    QString serverPort;   // "SVRPORT"
    QString ipAddress;    // "IPADDRESS"
};

class CConsoleTerminalView : public CPageView {
    Q_OBJECT
public:
    // With auto-clear on, the view keeps this many of the newest lines.
    static constexpr int kKeptLines = 2000;
    static constexpr int kHistorySize = 100;
    static constexpr int kLinesPerFrame = 200;

    // Loads the kept values from `settings`, which must outlive the view.
    CConsoleTerminalView(CTerminalSession& session, CRegSetting& settings, const CLabelCatalogue& catalogue,
                         QWidget* parent = nullptr);

    CPage* Page() const override { return nullptr; }
    // The page has no read or write buttons.
    void SetPageButtonsEnabled(bool /*enabled*/) override {}

    // A received block of any size, shown whole at the end of the view.
    // Blocks arriving within a frame are appended together at its end.
    void AppendReceived(std::string_view block);
    void ClearView();
    // The view's text, everything received included, into a file, written
    // whole or not at all; empty on success, else why not.
    QString SaveLog(const QString& path) const;
    // Writes the kept values back to the store (when the main window closes).
    void StoreKeptValues();

    void OnRawText(std::string_view chunk) override { AppendReceived(chunk); }
    void OnRestart() override { ClearView(); }
    void StoreChoices() override
    {
        StoreKeptValues();
        StoreConsoleChoices();
    }

    const SConsoleKeptValues& KeptValues() const { return m_kept; }
    // The view with everything received so far in it.
    QPlainTextEdit* ReceiveView() const
    {
        AppendBatch();
        return m_receiveView;
    }
    const CFrameThrottle& Batching() const { return m_batching; }
    QPlainTextEdit* SendBox() const { return m_sendBox; }
    QCheckBox* AutoClearBox() const { return m_autoClear; }
    QPushButton* SendButton() const { return m_sendButton; }
    QPushButton* ClearButton() const { return m_clearButton; }
    QPushButton* StudyButton() const { return m_studyButton; }
    QPushButton* EraseButton() const { return m_eraseButton; }
    QComboBox* LineEndList() const { return m_lineEnd; }
    QCheckBox* EnterSendsBox() const { return m_enterSends; }
    QCheckBox* EchoBox() const { return m_echo; }
    QCheckBox* TimeStampsBox() const { return m_timeStamps; }
    const QStringList& History() const { return m_history; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A hidden view only collects; it catches up when shown.
    void showEvent(QShowEvent* event) override;

private:
    void Send();
    void ClearAndSend(std::string_view command);
    // Erase sends only once the user said Yes to the question.
    void AskErase();
    // Text at the end of the view, in the echo colour or not, stamped at
    // each line start when time stamps are on; received text still waiting
    // for its frame goes first.
    void AppendToView(const QString& text, bool sent);
    // `text` with a time stamp at each line start when time stamps are on.
    QString Stamped(const QString& text);
    void InsertAtEnd(const QString& shown, bool sent) const;
    // What waits for the view, or its first `maxLines` lines (the rest in
    // the next frame: a text view takes a few hundred lines a frame).
    void AppendBatch(int maxLines = 0) const;
    void StepHistory(int step);
    void StoreConsoleChoices();

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
    QPushButton* m_saveLogButton = nullptr;
    QComboBox* m_lineEnd = nullptr;
    QCheckBox* m_enterSends = nullptr;
    QCheckBox* m_echo = nullptr;
    QCheckBox* m_timeStamps = nullptr;
    QStringList m_history;  // oldest first
    qsizetype m_historyAt = 0;  // m_history.size(): the text being typed
    QString m_typing;
    bool m_atLineStart = true;
    // Received text not yet in the view, stamped as it arrived.
    mutable QString m_batch;
    mutable CFrameThrottle m_batching{this, [this] {
        if (isVisible())
            AppendBatch(kLinesPerFrame);
    }};
};

CConsoleTerminalView* CreateConsoleTerminalView(CTerminalSession& session, CRegSetting& settings,
                                                const CLabelCatalogue& catalogue, QWidget* parent);

} // namespace orlan
