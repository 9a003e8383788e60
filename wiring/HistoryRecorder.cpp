#include "wiring/HistoryRecorder.h"

#include <ctime>

#include "session/TerminalSession.h"

namespace orlan {

CHistoryRecorder::CHistoryRecorder(CTerminalSession& session, std::function<std::string()> port,
                                   CSnapshotFolder folder, std::optional<SKeepRule> rule)
    : m_session(session),
      m_port(std::move(port)),
      m_folder(std::move(folder)),
      m_rule(rule),
      m_self(std::make_shared<CHistoryRecorder*>(this))
{
    std::weak_ptr<CHistoryRecorder*> self = m_self;
    m_session.AddWholeReadObserver([self](bool afterProfile) {
        if (const auto recorder = self.lock())
            (*recorder)->Record(afterProfile);
    });
}

CHistoryRecorder::~CHistoryRecorder() = default;

void CHistoryRecorder::Record(bool afterProfile)
{
    SSnapshot snapshot;
    snapshot.timeSecs = static_cast<int64_t>(std::time(nullptr));
    snapshot.port = m_port ? m_port() : std::string();
    if (const CPage* main = m_session.FindPage("CPageMainParams");
        main != nullptr && main->Fields().Has("unitId") && main->Fields().IsKnown("unitId"))
        snapshot.unitId = main->Fields().Text("unitId");
    snapshot.source = afterProfile ? "profile" : "read";
    snapshot.profile = m_session.ProfileBytes();
    bool kept = false;
    if (const std::string why = m_folder.Store(snapshot, m_rule.value_or(RememberedKeepRule()), &kept); !why.empty()) {
        if (onError)
            onError("the configuration history was not kept: " + why);
        return;
    }
    if (kept && onKept)
        onKept(snapshot);
}

} // namespace orlan
