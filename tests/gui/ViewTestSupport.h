#pragma once
// Shared by the page view and console page tests: a page with fields of
// every kind, a numbered table with a row editor and a field that acts on
// change; a session around a recording sink and a manual clock; and user
// input sent as real key and mouse events.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>

#include <memory>
#include <string>
#include <vector>

#include "session/TerminalSession.h"
#include "labels/LabelCatalogue.h"
#include "pages/Page.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan::test {

inline constexpr std::string_view kViewCatalogue = R"(
[TABS]
PAGE_BASIC=Main parameters
PAGE_COMM_TOOL=Console terminal
[PageFake]
MEMO=Memo
UID=Unit ID
UID_DESC=Identifies the unit in its messages
DAS=Data acquisition
SMSMODE=SMS mode
DAY=Report day
VPC=Video call
BPS=Console speed
LISTC0=Entry
LISTC1=Number
NUMBER=Phone number
MMS=MMS ability
[Buttons]
Save=Save
OK=OK
CANCEL=Cancel
CommRecv=Received
CommSent=Text to send
CommBtnSend=Send
CommBtnClr=Clear
CommBtnAutoClr=Clear automatically
[SYSCHAR]
NO_X=No.
DAY0=Sunday
DAY1=Monday
)";

class CFakePage final : public CPage {
public:
    static constexpr std::string_view kDumpRequest = "%DUMP_FAKE\r";
    static constexpr size_t kPhoneRows = 10;

    explicit CFakePage(bool hasWriteBack = true)
        : CPage(SPageInfo{"CPageFake", "PageFake", "PAGE_BASIC", "Fake", 2000, hasWriteBack, ELineFeed::RoutedOnly})
    {
        m_fields.Add({.id = "unitId", .kind = EFieldKind::Text, .labelKey = "UID", .hintKey = "UID_DESC"});
        m_fields.Add({.id = "memo", .kind = EFieldKind::MultiLine, .labelKey = "MEMO"});
        m_fields.Add({.id = "das", .kind = EFieldKind::Check, .labelKey = "DAS"});
        m_fields.Add({.id = "smsMode",
                      .kind = EFieldKind::Choice,
                      .labelKey = "SMSMODE",
                      .items = {{.text = "0: PDU"}, {.text = "1: TEXT"}}},
                     {"", 1});
        m_fields.Add({.id = "day",
                      .kind = EFieldKind::Choice,
                      .labelKey = "DAY",
                      .items = {{"0: ", "SYSCHAR", "DAY0"}, {"1: ", "SYSCHAR", "DAY1"}}},
                     {"", -1});
        m_fields.Add({.id = "bps", .kind = EFieldKind::Text, .labelKey = "BPS", .hidden = true});
        m_fields.Add({.id = "csqLow",
                      .kind = EFieldKind::Spin,
                      .minimum = 0,
                      .maximum = 36,
                      .fixedLabel = "Signal low threshold"});
        m_fields.Add({.id = "vpc", .kind = EFieldKind::Check, .labelKey = "VPC", .sendsOnChange = true});
        m_tables.emplace_back(STableDesc{"phones", {"LISTC0", "LISTC1"}, kPhoneRows, 1, true});
    }

    std::string DumpRequest() const override { return std::string(kDumpRequest); }

    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override
    {
        if (table != 0 || row >= kPhoneRows)
            return std::nullopt;
        SRowEditor editor{"CInputPhone", "PageFake", {}};
        editor.fields.Add({.id = "number", .kind = EFieldKind::Text, .labelKey = "NUMBER"},
                          {m_tables[0].Cell(row, 0), 0});
        editor.fields.Add({.id = "mms", .kind = EFieldKind::Check, .labelKey = "MMS", .hidden = true}, {"", 1});
        return editor;
    }

    CCommandList CommitRow(size_t, size_t row, const CFieldSet& edited) override
    {
        const std::string mms = edited.Number("mms") ? "+mms" : "";
        return {SCommand{"%CS" + std::to_string(row) + edited.Text("number") + mms + "\r", 3000}};
    }

    CCommandList OnFieldEdited(std::string_view fieldId) override
    {
        if (fieldId != "vpc")
            return {};
        return {SCommand{"%VPC" + std::to_string(m_fields.Number("vpc")) + "\r", 3000}};
    }

protected:
    CCommandList SettingCommands(ETarget) const override
    {
        return {
            SCommand{"%ID" + m_fields.Text("unitId") + "\r"},
            SCommand{"%DESC" + m_fields.Text("memo") + "\r"},
            SCommand{"%DAS" + std::to_string(m_fields.Number("das")) + "\r"},
            SCommand{"%MODEMSMSMD" + std::to_string(m_fields.Number("smsMode")) + "\r"},
            SCommand{"%DAY" + std::to_string(m_fields.Number("day")) + "\r"},
            SCommand{"%UB" + m_fields.Text("bps") + "\r"},
            SCommand{"%RSILOW" + m_fields.Text("csqLow") + "\r"},
        };
    }
};

class CBusyRecordingView final : public ISessionView {
public:
    void OnPageBusy(const CPage&, bool busy) override { busyChanges.push_back(busy); }
    std::vector<bool> busyChanges;
};

// A session with the fake page attached, over a recording sink.
struct SViewHarness {
    explicit SViewHarness(bool hasWriteBack = true)
    {
        catalogue.BindText(kViewCatalogue);
        page = static_cast<CFakePage*>(&session.AddPage(std::make_unique<CFakePage>(hasWriteBack)));
    }
    // Answers every command of the running jobs with "CMD OK".
    void AnswerAll()
    {
        for (int guard = 0; guard < 100 && session.Queue().Busy(); ++guard)
            session.OnAnswer(EAnswer::CmdOk);
    }

    CRecordingSink sink;
    CManualClock clock;
    CBusyRecordingView sessionView;
    CTerminalSession session{sessionView, sink, clock};
    CLabelCatalogue catalogue;
    CFakePage* page = nullptr;
};

inline void SendKey(QWidget* target, int key, const QString& text = {},
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

// Types plain characters; "\n" presses Enter.
inline void TypeText(QWidget* target, const QString& text)
{
    for (const QChar ch : text) {
        if (ch == u'\n')
            SendKey(target, Qt::Key_Return, QStringLiteral("\r"));
        else
            SendKey(target, ch.toUpper().unicode(), QString(ch));
    }
}

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// A double click as the window system delivers it: press, release, double
// click, release.
inline void DoubleClickAt(QWidget* target, QPoint at)
{
    SendMouse(target, QEvent::MouseButtonPress, at);
    SendMouse(target, QEvent::MouseButtonRelease, at);
    SendMouse(target, QEvent::MouseButtonDblClick, at);
    SendMouse(target, QEvent::MouseButtonRelease, at);
}

inline QPoint RowCentre(const QTableView& table, int row)
{
    return table.visualRect(table.model()->index(row, table.model()->columnCount() - 1)).center();
}

} // namespace orlan::test
