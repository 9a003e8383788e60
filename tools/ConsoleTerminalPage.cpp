#include "tools/ConsoleTerminalPage.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "session/TerminalSession.h"
#include "labels/CommonLabelKeys.h"
#include "link/RegSetting.h"
#include "widgets/CatalogueText.h"
#include "widgets/LineBreaks.h"
#include "widgets/WidgetStyle.h"

namespace orlan {

namespace {

// Lines of the send box before it scrolls.
constexpr int kSendBoxLines = 4;
constexpr std::string_view kHeadingKey = "PAGE_COMM_TOOL";

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

} // namespace

CConsoleTerminalView::CConsoleTerminalView(CTerminalSession& session, CRegSetting& settings,
                                           const CLabelCatalogue& catalogue, QWidget* parent)
    : CPageView(parent), m_session(session), m_settings(settings)
{
    setObjectName(QStringLiteral("CPageComm"));
    m_kept.localNumber = settings.ReadText(QString::fromLatin1(kLocalNumberValueName));
    m_kept.serverPort = settings.ReadText(QString::fromLatin1(kServerPortValueName));
    m_kept.ipAddress = settings.ReadText(QString::fromLatin1(kIpAddressValueName));

    const auto button = [&catalogue](std::string_view key) { return CatalogueText(catalogue, kSectionButtons, key); };
    const QFont monospace = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* layout = new QVBoxLayout(this);

    auto* heading = CreatePageHeading(CatalogueText(catalogue, kSectionTabs, kHeadingKey), this);
    layout->addWidget(heading);

    m_receiveView = new QPlainTextEdit(this);
    m_receiveView->setObjectName(QStringLiteral("receiveView"));
    m_receiveView->setReadOnly(true);
    m_receiveView->setUndoRedoEnabled(false);
    m_receiveView->setFont(monospace);
    m_receiveView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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

    auto* row = new QHBoxLayout;
    m_autoClear = new QCheckBox(button(kBtnCommAutoClear), this);
    m_autoClear->setObjectName(QStringLiteral("autoClear"));
    m_autoClear->setChecked(true);
    row->addWidget(m_autoClear);
    row->addStretch(1);
    m_studyButton = AddButton(row, QStringLiteral("Study"), "studyButton", this);
    m_eraseButton = AddButton(row, QStringLiteral("Erase"), "eraseButton", this);
    m_clearButton = AddButton(row, button(kBtnCommClear), "clearButton", this);
    m_sendButton = AddButton(row, button(kBtnCommSend), "sendButton", this);
    layout->addLayout(row);

    connect(m_sendButton, &QPushButton::clicked, this, &CConsoleTerminalView::Send);
    connect(m_clearButton, &QPushButton::clicked, this, &CConsoleTerminalView::ClearView);
    connect(m_studyButton, &QPushButton::clicked, this, [this] { ClearAndSend(kLearnKeyCommand); });
    connect(m_eraseButton, &QPushButton::clicked, this, [this] { ClearAndSend(kEraseKeysCommand); });
}

void CConsoleTerminalView::AppendReceived(std::string_view block)
{
    const std::string text = m_received.Append(block);
    if (!text.empty()) {
        // A cursor of its own: a selection the user is copying stays.
        QTextCursor end(m_receiveView->document());
        end.movePosition(QTextCursor::End);
        end.insertText(QString::fromStdString(text));
        QScrollBar* bar = m_receiveView->verticalScrollBar();
        bar->setValue(bar->maximum());
    }
    if (m_autoClear->isChecked() && m_received.ReachedAutoClearLimit())
        ClearView();
}

void CConsoleTerminalView::ClearView()
{
    m_receiveView->clear();
    m_received.ViewCleared();
}

void CConsoleTerminalView::Send()
{
    const QString typed = TypedText(*m_sendBox);
    if (typed.isEmpty())
        return;
    m_session.SendRaw(ToCrLf(typed.toStdString()));
}

void CConsoleTerminalView::ClearAndSend(std::string_view command)
{
    ClearView();
    m_session.SendRaw(command);
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
