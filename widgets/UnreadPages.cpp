#include "widgets/UnreadPages.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

#include "pages/Page.h"
#include "session/TerminalSession.h"

namespace orlan {

bool PageWasRead(const CPage& page, const CTerminalSession& session)
{
    if (session.HoldsWholeRead())
        return true;
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        if (fields.IsKnown(i) && !fields.IsEdited(i))
            return true;
    }
    for (const CPageTable& table : page.Tables()) {
        // A table's first column may hold the labels the page writes itself.
        const size_t first = table.Desc().numberedRows ? 0 : 1;
        for (size_t row = 0; row < table.Rows(); ++row) {
            for (size_t column = first; column < table.Desc().dataColumns; ++column) {
                if (table.IsKnown(row, column))
                    return true;
            }
        }
    }
    return false;
}

namespace {

class CUnreadPages {
    Q_DECLARE_TR_FUNCTIONS(CUnreadPages)
public:
    static QString Question(const QStringList& captions)
    {
        return tr("These pages were never read from the terminal: %1\n\nOnly what was typed on them is written; "
                  "the rest stays as the terminal has it. Write anyway?")
            .arg(captions.join(QStringLiteral(", ")));
    }
};

} // namespace

void AskBeforeWritingUnread(QWidget& parent, const QStringList& captions, std::function<void()> write)
{
    auto* box = new QMessageBox(QMessageBox::Question, parent.window()->windowTitle(),
                                CUnreadPages::Question(captions), QMessageBox::Yes | QMessageBox::No, &parent);
    box->setObjectName(QStringLiteral("unreadPagesQuestion"));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [box, write = std::move(write)] {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            write();
    });
    box->open();  // not exec(): the receive path keeps running behind it
}

} // namespace orlan
