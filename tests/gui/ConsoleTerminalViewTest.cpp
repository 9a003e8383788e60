// The console terminal page: the receive view, auto-clear, the send box,
// the key-learning buttons, its captions and its kept values.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextBlock>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include "platform/RegSetting.h"
#include "support/QtTestSupport.h"
#include "tools/ConsoleTerminalPage.h"
#include "ViewTestSupport.h"

namespace orlan::test {
namespace {

using namespace std::string_literals;
using Blocks = std::vector<std::string>;

// Records every block with what the receive view showed when it was written.
class CViewWatchingSink final : public IByteSink {
public:
    void QueueBlock(std::string_view bytes) override
    {
        blocks.emplace_back(bytes);
        shownWhenSent.push_back(shownText ? shownText() : QString());
    }
    std::function<QString()> shownText;
    Blocks blocks;
    std::vector<QString> shownWhenSent;
};

class ConsoleTerminalViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<CRegSetting>(m_dir.filePath("link.ini"));
        m_catalogue.BindText(kViewCatalogue);
        m_view.reset(CreateConsoleTerminalView(m_session, *m_settings, m_catalogue, nullptr));
        m_sink.shownText = [this] { return Shown(); };
        m_view->resize(700, 500);
    }
    QString Shown() const { return m_view->ReceiveView()->toPlainText(); }
    // Clicks `button` of the open Erase question; false when none is open.
    bool AnswerErase(QMessageBox::StandardButton button)
    {
        for (QMessageBox* box : m_view->findChildren<QMessageBox*>(QStringLiteral("eraseQuestion"))) {
            if (box->isVisible() && box->button(button) != nullptr) {
                EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No)) << "No is the default";
                box->button(button)->click();
                return true;
            }
        }
        return false;
    }
    int ViewLines() const { return m_view->ReceiveView()->document()->blockCount(); }

    QTemporaryDir m_dir;
    CViewWatchingSink m_sink;
    CManualClock m_clock;
    ISessionView m_sessionView;
    CTerminalSession m_session{m_sessionView, m_sink, m_clock};
    CLabelCatalogue m_catalogue;
    std::unique_ptr<CRegSetting> m_settings;
    std::unique_ptr<CConsoleTerminalView> m_view;
};

TEST_F(ConsoleTerminalViewTest, IsNoSettingsPageAndTakesItsCaptionsFromTheCatalogue)
{
    EXPECT_EQ(m_view->Page(), nullptr);
    EXPECT_EQ(m_view->findChild<QLabel*>("heading")->text(), "Console terminal");
    QStringList labels;
    for (const QLabel* label : m_view->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Received"));
    EXPECT_TRUE(labels.contains("Text to send"));
    EXPECT_EQ(m_view->SendButton()->text(), "Send");
    EXPECT_EQ(m_view->ClearButton()->text(), "Clear");
    EXPECT_EQ(m_view->AutoClearBox()->text(), "Clear automatically");
    EXPECT_EQ(m_view->StudyButton()->text(), "Study");
    EXPECT_EQ(m_view->EraseButton()->text(), "Erase");
    EXPECT_TRUE(m_view->AutoClearBox()->isChecked()) << "auto-clear is on by default";
    EXPECT_TRUE(m_view->ReceiveView()->isReadOnly());
    // Asked by family hint, whatever fonts this machine has.
    EXPECT_EQ(m_view->ReceiveView()->font().styleHint(), QFont::Monospace);
    EXPECT_EQ(m_view->SendBox()->font().styleHint(), QFont::Monospace);
}

TEST_F(ConsoleTerminalViewTest, ReceivedBlocksAreShownWholeWithNulAsSpace)
{
    m_view->AppendReceived("$DID\0001234\r\n"s);
    m_view->AppendReceived("CMD OK\r");
    m_view->AppendReceived("\nlast");
    EXPECT_EQ(Shown(), "$DID 1234\nCMD OK\nlast");

    const std::string big(5000, 'x');
    m_view->AppendReceived(big);
    EXPECT_EQ(Shown(), "$DID 1234\nCMD OK\nlast" + QString::fromStdString(big)) << "a large block is shown whole";

    m_view->show();
    m_view->AppendReceived("\r\n"s + std::string(40, '.') + "\r\n");
    QScrollBar* bar = m_view->ReceiveView()->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum()) << "the end stays in sight";
}

TEST_F(ConsoleTerminalViewTest, AutoClearKeepsTheNewestLinesSoAWholeReadStaysInView)
{
    const int kept = CConsoleTerminalView::kKeptLines;
    for (int i = 0; i < kept + 500; ++i)
        m_view->AppendReceived("$LINE " + std::to_string(i) + "\r\n");
    EXPECT_EQ(ViewLines(), kept);
    EXPECT_TRUE(Shown().endsWith(QStringLiteral("$LINE %1\n").arg(kept + 499))) << "the newest lines stay";
    EXPECT_FALSE(Shown().contains(QStringLiteral("$LINE 0\n"))) << "the oldest go";

    m_view->AutoClearBox()->click();
    ASSERT_FALSE(m_view->AutoClearBox()->isChecked());
    for (int i = 0; i < 300; ++i)
        m_view->AppendReceived("line\r\n");
    EXPECT_EQ(ViewLines(), kept + 300) << "without auto-clear the view keeps growing";
}

// The habits of raw terminals: a chosen line end, Enter to send with
// Shift+Enter for a break, the texts sent before on Up and Down, and what
// was sent shown in another colour.
TEST_F(ConsoleTerminalViewTest, SendFollowsTheChosenLineEndKeysAndHistory)
{
    m_view->LineEndList()->setCurrentIndex(static_cast<int>(ESendLineEnd::Cr));
    TypeText(m_view->SendBox(), "%DUMP_SYS");
    m_view->SendButton()->click();
    m_view->LineEndList()->setCurrentIndex(static_cast<int>(ESendLineEnd::CrLf));
    m_view->SendButton()->click();
    EXPECT_EQ(m_sink.blocks, (Blocks{"%DUMP_SYS\r", "%DUMP_SYS\r\n"}));

    m_view->EnterSendsBox()->setChecked(true);
    m_view->LineEndList()->setCurrentIndex(static_cast<int>(ESendLineEnd::None));
    m_view->SendBox()->clear();
    SendKey(m_view->SendBox(), 'A', QStringLiteral("a"));
    SendKey(m_view->SendBox(), Qt::Key_Return, QStringLiteral("\r"), Qt::ShiftModifier);
    SendKey(m_view->SendBox(), 'B', QStringLiteral("b"));
    EXPECT_EQ(m_sink.blocks.size(), 2u) << "Shift+Enter breaks the line";
    SendKey(m_view->SendBox(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(m_sink.blocks.back(), "a\r\nb");
    EXPECT_EQ(m_view->History(), (QStringList{"%DUMP_SYS", "a\nb"})) << "a text sent twice in a row is kept once";

    m_view->SendBox()->setPlainText(QStringLiteral("typing"));
    SendKey(m_view->SendBox(), Qt::Key_Up, QString());
    EXPECT_EQ(m_view->SendBox()->toPlainText(), "a\nb");
    m_view->SendBox()->moveCursor(QTextCursor::Start);
    SendKey(m_view->SendBox(), Qt::Key_Up, QString());
    EXPECT_EQ(m_view->SendBox()->toPlainText(), "%DUMP_SYS");
    SendKey(m_view->SendBox(), Qt::Key_Down, QString());
    SendKey(m_view->SendBox(), Qt::Key_Down, QString());
    EXPECT_EQ(m_view->SendBox()->toPlainText(), "typing") << "back to what was being typed";

    // The echo: on a line of its own, in the sent colour; received text is not.
    m_view->ClearView();
    m_view->AppendReceived("CMD OK");
    m_view->SendBox()->setPlainText(QStringLiteral("%RST"));
    m_view->SendButton()->click();
    EXPECT_EQ(Shown(), "CMD OK\n%RST\n");
    const QTextBlock echoed = m_view->ReceiveView()->document()->findBlockByNumber(1);
    const QTextBlock received = m_view->ReceiveView()->document()->firstBlock();
    EXPECT_NE(echoed.begin().fragment().charFormat().foreground().color(),
              received.begin().fragment().charFormat().foreground().color());
    m_view->EchoBox()->setChecked(false);
    m_view->SendButton()->click();
    EXPECT_EQ(Shown(), "CMD OK\n%RST\n");
}

TEST_F(ConsoleTerminalViewTest, BlocksOfOneFrameAreAppendedTogetherAndBeforeTheEcho)
{
    const QPlainTextEdit* drawn = m_view->findChild<QPlainTextEdit*>(QStringLiteral("receiveView"));
    m_view->show();
    for (int i = 0; i < 100; ++i)
        m_view->AppendReceived("$LINE " + std::to_string(i) + "\r\n");
    // One turn of the event loop: the first block at once, the rest waits.
    EXPECT_EQ(m_view->Batching().Refreshes(), 1);
    EXPECT_EQ(drawn->toPlainText(), "$LINE 0\n");

    m_view->SendBox()->setPlainText(QStringLiteral("%RST"));
    m_view->SendButton()->click();
    const QStringList lines = Shown().split(u'\n');
    ASSERT_EQ(lines.size(), 102);
    EXPECT_EQ(lines[99], "$LINE 99");
    EXPECT_EQ(lines[100], "%RST") << "what was received before the echo stays before it";

    m_view->AppendReceived("late\r\n");
    EXPECT_TRUE(PumpUntil([&] { return drawn->toPlainText().endsWith(QStringLiteral("late\n")); }))
        << "the frame's end appends what waited";

    // A hidden view collects what arrives and shows it as it is shown again.
    m_view->hide();
    m_view->AppendReceived("while hidden\r\n");
    m_view->show();
    EXPECT_TRUE(drawn->toPlainText().endsWith(QStringLiteral("late\nwhile hidden\n")));
}

TEST_F(ConsoleTerminalViewTest, ChoicesAreRememberedAndTheLogIsSavedWhole)
{
    m_view->LineEndList()->setCurrentIndex(static_cast<int>(ESendLineEnd::CrLf));
    m_view->EnterSendsBox()->setChecked(true);
    m_view->TimeStampsBox()->setChecked(true);
    m_view->AppendReceived("one\r\ntw");
    m_view->AppendReceived("o\r\n");
    const QRegularExpression stamped(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\] one\n"
                                                    "\\[\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\] two\n$"));
    EXPECT_TRUE(stamped.match(Shown()).hasMatch()) << Shown().toStdString();

    const QString path = m_dir.filePath(QStringLiteral("console.log"));
    EXPECT_TRUE(m_view->SaveLog(path).isEmpty());
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), Shown() + u'\n');
    EXPECT_FALSE(m_view->SaveLog(m_dir.filePath(QStringLiteral("missing/console.log"))).isEmpty());

    m_view->StoreChoices();
    std::unique_ptr<CConsoleTerminalView> next(CreateConsoleTerminalView(m_session, *m_settings, m_catalogue, nullptr));
    EXPECT_EQ(next->LineEndList()->currentIndex(), static_cast<int>(ESendLineEnd::CrLf));
    EXPECT_TRUE(next->EnterSendsBox()->isChecked());
    EXPECT_TRUE(next->TimeStampsBox()->isChecked());
    EXPECT_TRUE(next->EchoBox()->isChecked());
}

TEST_F(ConsoleTerminalViewTest, SendTransmitsExactlyWhatWasTyped)
{
    m_view->LineEndList()->setCurrentIndex(static_cast<int>(ESendLineEnd::None));
    m_view->SendButton()->click();
    EXPECT_TRUE(m_sink.blocks.empty()) << "an empty send box sends nothing";

    TypeText(m_view->SendBox(), "%DUMP_SYS\n%DUMP_PHONE");
    m_view->SendButton()->click();
    EXPECT_EQ(m_sink.blocks, Blocks{"%DUMP_SYS\r\n%DUMP_PHONE"}) << "typed breaks as CR LF, no CR added";
    EXPECT_EQ(m_view->SendBox()->toPlainText(), "%DUMP_SYS\n%DUMP_PHONE") << "the text stays for sending again";

    m_view->SendBox()->setPlainText(QString::fromUtf8("h\u00e9\u00a0!"));
    m_view->SendButton()->click();
    EXPECT_EQ(m_sink.blocks.back(), "h\xC3\xA9\xC2\xA0!") << "a non-breaking space is sent as typed";
}

TEST_F(ConsoleTerminalViewTest, StudyAndEraseClearTheViewBeforeSending)
{
    m_view->AppendReceived("old traffic\r\n");
    m_view->StudyButton()->click();
    m_view->AppendReceived("learning\r\n");
    m_view->EraseButton()->click();
    ASSERT_TRUE(AnswerErase(QMessageBox::Yes));
    EXPECT_EQ(m_sink.blocks, (Blocks{"%LKEY\r", "%EKEY\r"}));
    EXPECT_EQ(m_sink.shownWhenSent, (std::vector<QString>{"", ""}));

    m_view->AppendReceived("some");
    m_view->ClearButton()->click();
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(m_sink.blocks.size(), 2u) << "Clear sends nothing";
}

TEST_F(ConsoleTerminalViewTest, EraseSendsNothingUntilTheUserSaysYes)
{
    m_view->AppendReceived("learned keys\r\n");
    m_view->EraseButton()->click();
    EXPECT_TRUE(m_sink.blocks.empty()) << "nothing goes out while the question is open";
    ASSERT_TRUE(AnswerErase(QMessageBox::No));
    EXPECT_TRUE(m_sink.blocks.empty());
    EXPECT_EQ(Shown(), "learned keys\n") << "a refused Erase leaves the view alone";

    // Closing the question any other way (Escape, the window's close) is a No.
    m_view->EraseButton()->click();
    for (QMessageBox* box : m_view->findChildren<QMessageBox*>(QStringLiteral("eraseQuestion")))
        box->reject();
    EXPECT_TRUE(m_sink.blocks.empty());
    EXPECT_FALSE(AnswerErase(QMessageBox::Yes)) << "no question left open";
}

// CR unless the user chose otherwise: the terminal takes a command at its
// CR, and a text left without one spoils the next command. A choice is kept
// as soon as it is made; what older versions stored unasked does not count.
TEST_F(ConsoleTerminalViewTest, TheLineEndIsCrUnlessChosenAndAChoiceIsKeptAtOnce)
{
    m_settings->WriteNumber(QStringLiteral("CONSOLE_LINEEND"), 0, static_cast<int>(ESendLineEnd::None));
    std::unique_ptr<CConsoleTerminalView> fresh(CreateConsoleTerminalView(m_session, *m_settings, m_catalogue, nullptr));
    EXPECT_EQ(fresh->LineEndList()->currentIndex(), static_cast<int>(ESendLineEnd::Cr));
    TypeText(fresh->SendBox(), "%DUMP_SYS");
    fresh->SendButton()->click();
    EXPECT_EQ(m_sink.blocks, Blocks{"%DUMP_SYS\r"});

    for (const ESendLineEnd chosen : {ESendLineEnd::None, ESendLineEnd::CrLf, ESendLineEnd::Cr}) {
        SCOPED_TRACE(static_cast<int>(chosen));
        fresh->LineEndList()->setCurrentIndex(static_cast<int>(chosen));
        // No StoreChoices: a crash or a killed program keeps the choice too.
        std::unique_ptr<CConsoleTerminalView> next(CreateConsoleTerminalView(m_session, *m_settings, m_catalogue, nullptr));
        EXPECT_EQ(next->LineEndList()->currentIndex(), static_cast<int>(chosen));
    }
}

TEST(ConsoleTerminalKeptValues, AreLoadedAtCreationAndStoredBackOnRequest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("link.ini");
    CRecordingSink sink;
    CManualClock clock;
    ISessionView sessionView;
    CTerminalSession session(sessionView, sink, clock);
    CLabelCatalogue catalogue;
    {
        CRegSetting settings(path);
        settings.WriteText(kLocalNumberValueName, "13800138000");
        settings.WriteText(kIpAddressValueName, "10.0.0.7");
        std::unique_ptr<CConsoleTerminalView> view(CreateConsoleTerminalView(session, settings, catalogue, nullptr));
        EXPECT_EQ(view->KeptValues().localNumber, "13800138000");
        EXPECT_EQ(view->KeptValues().serverPort, "8008") << "the store's default port";
        EXPECT_EQ(view->KeptValues().ipAddress, "10.0.0.7");

        // Someone else changed the store meanwhile; the page's values win.
        settings.WriteText(kLocalNumberValueName, "overwritten");
        view->StoreKeptValues();
    }
    CRegSetting reread(path);
    EXPECT_EQ(reread.ReadText(kLocalNumberValueName), "13800138000");
    EXPECT_EQ(reread.ReadText(kIpAddressValueName), "10.0.0.7");
    EXPECT_EQ(reread.ReadText(kServerPortValueName), "8008");
    EXPECT_TRUE(sink.blocks.empty()) << "kept values are never sent";
}

} // namespace
} // namespace orlan::test
