#pragma once
// Pages whose values never came from the terminal: a write from such a page
// carries only what was typed on it, so the person is asked first.
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace orlan {

class CPage;
class CTerminalSession;

// Whether the page holds a value that is not a person's typing (read from
// the terminal or loaded from a profile), or the session holds a whole read.
bool PageWasRead(const CPage& page, const CTerminalSession& session);

// "These pages were never read from the terminal: ... Write anyway?" with
// No as the default; `write` runs on Yes only. Opened, not executed.
void AskBeforeWritingUnread(QWidget& parent, const QStringList& captions, std::function<void()> write);

} // namespace orlan
