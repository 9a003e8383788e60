#include "tools/ConsoleTerminalPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "session/TerminalSession.h"
#include "labels/CommonLabelKeys.h"
#include "platform/RegSetting.h"
#include "widgets/CatalogueText.h"
#include "widgets/LineBreaks.h"
#include "widgets/WidgetStyle.h"

#include <algorithm>

namespace orlan {

namespace {

// A batch this long is cut to the lines the view keeps.
constexpr qsizetype kBatchTrimChars = 256 * 1024;

// The last `lines` lines of `text` (a line per line break).
QString TailLines(const QString& text, int lines)
{
    qsizetype at = text.size();
    for (int n = 0; n <= lines && at > 0; ++n) {
        at = text.lastIndexOf(u'\n', at - 1);
        if (at < 0)
            return text;
    }
    return text.mid(at + 1);
}

// Lines of the send box before it scrolls.
constexpr int kSendBoxLines = 4;
constexpr std::string_view kHeadingKey = "PAGE_COMM_TOOL";
// The console's own choices in the link settings store. The line end has a
// name of its own since CR became the default: earlier versions stored
// "no line end" on every close whether or not anyone had chosen it.
constexpr char kLineEndValueName[] = "CONSOLE_SENDEND";
constexpr char kEnterSendsValueName[] = "CONSOLE_ENTERSENDS";
constexpr char kEchoValueName[] = "CONSOLE_ECHO";
constexpr char kTimeStampsValueName[] = "CONSOLE_TIMESTAMPS";
const QColor kSentColour(0x1f, 0x5f, 0xb0);

// A fixed-pitch face by family hint: whatever fonts the machine has, Qt
// picks its monospace one.
QFont ConsoleFont()
{
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::Monospace, QFont::PreferDefault);
    font.setFixedPitch(true);
    return font;
}

QPushButton* AddButton(QHBoxLayout* row, const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

// The text as typed: a text box keeps its line breaks as paragraph or line
// separators; everything else, non-breaking spaces included, stays.
QString TypedText(const QPlainTextEdit& box)
{
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

// A command as a person reads it: without its CR.
QString CommandName(std::string_view command)
{
    if (command.ends_with('\r'))
        command.remove_suffix(1);
    return QString::fromLatin1(command.data(), static_cast<qsizetype>(command.size()));
}

} // namespace

std::string_view LineEndBytes(ESendLineEnd end)
{
    switch (end) {
    case ESendLineEnd::Cr:
        return "\r";
    case ESendLineEnd::CrLf:
        return "\r\n";
    case ESendLineEnd::None:
        break;
    }
    return {};
}

CConsoleTerminalView::CConsoleTerminalView(CTerminalSession& session, CRegSetting& settings,
                                           const CLabelCatalogue& catalogue, QWidget* parent)
    : CPageView(parent), m_session(session), m_settings(settings)
{
    setObjectName(QStringLiteral("CPageComm"));
    m_kept.localNumber = settings.ReadText(QString::fromLatin1(kLocalNumberValueName));
    m_kept.serverPort = settings.ReadText(QString::fromLatin1(kServerPortValueName));
    m_kept.ipAddress = settings.ReadText(QString::fromLatin1(kIpAddressValueName));

    const auto button = [&catalogue](std::string_view key) { return CatalogueText(catalogue, kSectionButtons, key); };
    const QFont monospace = ConsoleFont();
    auto* layout = new QVBoxLayout(this);

    auto* heading = CreatePageHeading(CatalogueText(catalogue, kSectionTabs, kHeadingKey), this);
    layout->addWidget(heading);

    m_receiveView = new QPlainTextEdit(this);
    m_receiveView->setObjectName(QStringLiteral("receiveView"));
    m_receiveView->setReadOnly(true);
    m_receiveView->setUndoRedoEnabled(false);
    m_receiveView->setFont(monospace);
    m_receiveView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_receiveView->setMaximumBlockCount(kKeptLines);
    auto* receiveLabel = new QLabel(button(kBtnCommRecv), this);
    receiveLabel->setBuddy(m_receiveView);
    layout->addWidget(receiveLabel);
    layout->addWidget(m_receiveView, 1);

    m_sendBox = new QPlainTextEdit(this);
    m_sendBox->setObjectName(QStringLiteral("sendBox"));
    m_sendBox->setFont(monospace);
    SetVisibleLines(m_sendBox, kSendBoxLines);
    auto* sendLabel = new QLabel(button(kBtnCommSent), this);
    sendLabel->setBuddy(m_sendBox);
    layout->addWidget(sendLabel);
    layout->addWidget(m_sendBox);

    auto* options = new QHBoxLayout;
    m_lineEnd = new QComboBox(this);
    m_lineEnd->setObjectName(QStringLiteral("lineEndList"));
    m_lineEnd->addItems({tr("No line end"), tr("CR"), tr("CR LF")});
    m_lineEnd->setToolTip(tr("What Send puts behind the text: nothing (exactly as typed), CR or CR LF"));
    // CR by default: the terminal takes a command at its CR, and text sent
    // without one waits in its line buffer and spoils the next command.
    m_lineEnd->setCurrentIndex(std::clamp(
        settings.ReadNumber(QString::fromLatin1(kLineEndValueName), 0, static_cast<int>(kDefaultLineEnd)), 0, 2));
    auto* lineEndLabel = new QLabel(tr("Line end:"), this);
    lineEndLabel->setBuddy(m_lineEnd);
    options->addWidget(lineEndLabel);
    options->addWidget(m_lineEnd);
    auto addOption = [this, &settings, options](const QString& text, const char* name, const char* valueName,
                                               bool byDefault, const QString& tip) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QString::fromLatin1(name));
        box->setToolTip(tip);
        box->setChecked(settings.ReadNumber(QString::fromLatin1(valueName), 0, byDefault ? 1 : 0) != 0);
        options->addWidget(box);
        return box;
    };
    m_enterSends = addOption(tr("Enter sends"), "enterSends", kEnterSendsValueName, false,
                             tr("Enter sends the text, Shift+Enter breaks the line"));
    m_echo = addOption(tr("Show sent text"), "echo", kEchoValueName, true,
                       tr("What was sent appears in the view in another colour"));
    m_timeStamps = addOption(tr("Time stamps"), "timeStamps", kTimeStampsValueName, false,
                             tr("Each line of the view starts with the time it began"));
    options->addStretch(1);
    layout->addLayout(options);

    auto* row = new QHBoxLayout;
    m_autoClear = new QCheckBox(button(kBtnCommAutoClear), this);
    m_autoClear->setObjectName(QStringLiteral("autoClear"));
    m_autoClear->setChecked(true);
    m_autoClear->setToolTip(tr("Keep the newest %1 lines only").arg(kKeptLines));
    row->addWidget(m_autoClear);
    row->addStretch(1);
    m_saveLogButton = AddButton(row, tr("Save log..."), "saveLogButton", this);
    m_studyButton = AddButton(row, tr("Study"), "studyButton", this);
    m_studyButton->setToolTip(
        tr("Sends %1: the terminal learns one more wireless key or remote").arg(CommandName(kLearnKeyCommand)));
    m_eraseButton = AddButton(row, tr("Erase"), "eraseButton", this);
    m_eraseButton->setToolTip(
        tr("Sends %1: the terminal erases every wireless key and remote it has learned (asks first)")
            .arg(CommandName(kEraseKeysCommand)));
    m_clearButton = AddButton(row, button(kBtnCommClear), "clearButton", this);
    m_sendButton = AddButton(row, button(kBtnCommSend), "sendButton", this);
    layout->addLayout(row);

    m_sendButton->setToolTip(tr("Send the text (Up and Down in the box recall the texts sent before)"));
    m_sendBox->installEventFilter(this);
    connect(m_autoClear, &QCheckBox::toggled, this,
            [this](bool on) { m_receiveView->setMaximumBlockCount(on ? kKeptLines : 0); });
    connect(m_saveLogButton, &QPushButton::clicked, this, [this] {
        auto* dialog = new QFileDialog(this, tr("Save log"), QString(), tr("Text files (*.txt *.log);;All files (*)"));
        dialog->setObjectName(QStringLiteral("saveLogDialog"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setDefaultSuffix(QStringLiteral("log"));
        connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
            const QString why = SaveLog(path);
            if (!why.isEmpty())
                AppendToView(tr("\n[log not saved: %1: %2]\n").arg(path, why), true);
        });
        dialog->open();  // not exec(): the receive path keeps running behind it
    });
    connect(m_sendButton, &QPushButton::clicked, this, &CConsoleTerminalView::Send);
    connect(m_clearButton, &QPushButton::clicked, this, &CConsoleTerminalView::ClearView);
    connect(m_studyButton, &QPushButton::clicked, this, [this] { ClearAndSend(kLearnKeyCommand); });
    connect(m_eraseButton, &QPushButton::clicked, this, &CConsoleTerminalView::AskErase);
    // Remembered as soon as chosen, not only when the window closes.
    connect(m_lineEnd, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_settings.WriteNumber(QString::fromLatin1(kLineEndValueName), 0, index);
    });
}

void CConsoleTerminalView::AppendReceived(std::string_view block)
{
    const std::string text = m_received.Append(block);
    if (text.empty())
        return;
    m_batch += Stamped(QString::fromStdString(text));
    // A view that keeps the newest lines only needs no more of a long batch.
    if (m_autoClear->isChecked() && m_batch.size() > kBatchTrimChars)
        m_batch = TailLines(m_batch, kKeptLines);
    m_batching.Request();
}

void CConsoleTerminalView::showEvent(QShowEvent* event)
{
    CPageView::showEvent(event);
    AppendBatch();
}

void CConsoleTerminalView::AppendToView(const QString& text, bool sent)
{
    AppendBatch();
    InsertAtEnd(Stamped(text), sent);
}

QString CConsoleTerminalView::Stamped(const QString& text)
{
    if (!m_timeStamps->isChecked()) {
        if (!text.isEmpty())
            m_atLineStart = text.endsWith(u'\n');
        return text;
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("[HH:mm:ss.zzz] "));
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (m_atLineStart && c != u'\n')
            shown += stamp;
        m_atLineStart = c == u'\n';
        shown += c;
    }
    return shown;
}

void CConsoleTerminalView::AppendBatch(int maxLines) const
{
    if (m_batch.isEmpty())
        return;
    qsizetype cut = m_batch.size();
    if (maxLines > 0) {
        qsizetype at = -1;
        for (int n = 0; n < maxLines && (at = m_batch.indexOf(u'\n', at + 1)) >= 0; ++n) {
        }
        if (at >= 0)
            cut = at + 1;
    }
    InsertAtEnd(m_batch.first(cut), false);
    m_batch.remove(0, cut);
    if (!m_batch.isEmpty())
        m_batching.Request();
}

void CConsoleTerminalView::InsertAtEnd(const QString& shown, bool sent) const
{
    QTextDocument* document = m_receiveView->document();
    // A cursor of its own: a selection the user is copying stays.
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    QTextCharFormat format;
    if (sent)
        format.setForeground(kSentColour);
    // One edit: the view lays out and trims once, not once per line.
    end.beginEditBlock();
    const int limit = document->maximumBlockCount();
    const int excess = limit > 0 ? document->blockCount() + static_cast<int>(shown.count(u'\n')) - limit : 0;
    if (excess > 0) {
        QTextCursor top(document);
        top.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, excess);
        top.removeSelectedText();
    }
    end.insertText(shown, format);
    end.endEditBlock();
    QScrollBar* bar = m_receiveView->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void CConsoleTerminalView::ClearView()
{
    m_batch.clear();
    m_receiveView->clear();
    m_received.ViewCleared();
    m_atLineStart = true;
}

QString CConsoleTerminalView::SaveLog(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    const QByteArray bytes = ReceiveView()->toPlainText().toUtf8() + '\n';
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return file.errorString();
    }
    // Renamed over the old file only once all of it is on disk.
    return file.commit() ? QString() : file.errorString();
}

void CConsoleTerminalView::Send()
{
    const QString typed = TypedText(*m_sendBox);
    if (typed.isEmpty())
        return;
    const auto end = static_cast<ESendLineEnd>(std::max(0, m_lineEnd->currentIndex()));
    const std::string bytes = ToCrLf(typed.toStdString()) + std::string(LineEndBytes(end));
    if (!m_session.SendRaw(bytes)) {
        // Kept in the box to send again; the view says it did not go out.
        AppendToView((m_atLineStart ? QString() : QStringLiteral("\n"))
                         + tr("Not sent (the link to the terminal is down): %1").arg(typed) + u'\n',
                     true);
        return;
    }
    if (m_history.isEmpty() || m_history.back() != typed) {
        m_history.append(typed);
        if (m_history.size() > kHistorySize)
            m_history.removeFirst();
    }
    m_historyAt = m_history.size();
    if (m_echo->isChecked()) {
        // On a line of its own, as the terminal's echo would not be.
        QString echo = m_atLineStart ? QString() : QStringLiteral("\n");
        echo += typed;
        if (!echo.endsWith(u'\n'))
            echo += u'\n';
        AppendToView(echo, true);
    }
}

void CConsoleTerminalView::StepHistory(int step)
{
    if (m_history.isEmpty())
        return;
    if (m_historyAt == m_history.size())
        m_typing = m_sendBox->toPlainText();
    m_historyAt = std::clamp<qsizetype>(m_historyAt + step, 0, m_history.size());
    m_sendBox->setPlainText(m_historyAt == m_history.size() ? m_typing : m_history[m_historyAt]);
    m_sendBox->moveCursor(QTextCursor::End);
}

bool CConsoleTerminalView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_sendBox || event->type() != QEvent::KeyPress)
        return CPageView::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && m_enterSends->isChecked() && !(key->modifiers() & Qt::ShiftModifier)) {
        Send();
        return true;
    }
    if (enter && (key->modifiers() & Qt::ShiftModifier)) {
        m_sendBox->textCursor().insertText(QStringLiteral("\n"));
        return true;
    }
    // Up on the first line and Down on the last walk the texts sent before.
    const QTextCursor cursor = m_sendBox->textCursor();
    if (key->key() == Qt::Key_Up && key->modifiers() == Qt::NoModifier && cursor.block() == m_sendBox->document()->firstBlock()) {
        StepHistory(-1);
        return true;
    }
    if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier && cursor.block() == m_sendBox->document()->lastBlock()
        && m_historyAt < m_history.size()) {
        StepHistory(1);
        return true;
    }
    return CPageView::eventFilter(watched, event);
}

void CConsoleTerminalView::StoreConsoleChoices()
{
    m_settings.WriteNumber(QString::fromLatin1(kLineEndValueName), 0, m_lineEnd->currentIndex());
    m_settings.WriteNumber(QString::fromLatin1(kEnterSendsValueName), 0, m_enterSends->isChecked() ? 1 : 0);
    m_settings.WriteNumber(QString::fromLatin1(kEchoValueName), 0, m_echo->isChecked() ? 1 : 0);
    m_settings.WriteNumber(QString::fromLatin1(kTimeStampsValueName), 0, m_timeStamps->isChecked() ? 1 : 0);
}

void CConsoleTerminalView::ClearAndSend(std::string_view command)
{
    ClearView();
    m_session.SendRaw(command);
}

void CConsoleTerminalView::AskErase()
{
    // Every learned key is gone at once and cannot be brought back from here.
    auto* box = new QMessageBox(QMessageBox::Question, tr("Erase"),
                                tr("The terminal will forget every wireless key and remote it has learned; each must "
                                   "be learned again. Erase them?"),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("eraseQuestion"));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, box] {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            ClearAndSend(kEraseKeysCommand);
    });
    box->open();  // not exec(): the receive path keeps running behind it
}

void CConsoleTerminalView::StoreKeptValues()
{
    m_settings.WriteText(QString::fromLatin1(kLocalNumberValueName), m_kept.localNumber);
    m_settings.WriteText(QString::fromLatin1(kServerPortValueName), m_kept.serverPort);
    m_settings.WriteText(QString::fromLatin1(kIpAddressValueName), m_kept.ipAddress);
}

CConsoleTerminalView* CreateConsoleTerminalView(CTerminalSession& session, CRegSetting& settings,
                                                const CLabelCatalogue& catalogue, QWidget* parent)
{
    return new CConsoleTerminalView(session, settings, catalogue, parent);
}

} // namespace orlan
