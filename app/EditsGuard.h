#pragma once
// Changes a person made on the pages that are not written yet: whatever
// would lose them (a whole read, another port, closing) asks first whether
// to write them, drop them or stay; writing them goes on once the terminal
// has answered every write-back.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace orlan {

class CPageRegistry;
class CTerminalSession;

class CEditsGuard final : public QObject {
    Q_OBJECT
public:
    CEditsGuard(QWidget& window, CPageRegistry& pages, CTerminalSession& session);

    // The captions of the pages holding unwritten changes.
    QStringList PagesWithEdits() const;
    // `proceed` at once when nothing is unwritten; otherwise after the
    // changes are written or discarded (Cancel: never). `before` names what
    // would lose them ("closing").
    void AskFirst(const QString& name, const QString& before, std::function<void()> proceed);
    void WriteEditedPages(std::function<void()> then);
    // Runs `then` from the event loop once the command queue has no job
    // left (closing after a profile's batch, going on after written changes).
    void RunWhenIdle(std::function<void()> then);

private:
    void WriteEdited(std::function<void()> then);

    QWidget& m_window;
    CPageRegistry& m_pages;
    CTerminalSession& m_session;
};

} // namespace orlan
