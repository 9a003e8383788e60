#pragma once
// Keeps the configuration history: after every complete whole read (and so
// after every profile run, which ends with one) the profile the tool would
// save goes into the unit's history, with the time, the port and the unit
// id. The programs own one; tests and benchmarks do not, so they never
// write into the user's data folder.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/SnapshotFolder.h"

namespace orlan {

class CTerminalSession;

class CHistoryRecorder {
public:
    // Without a rule, the one the user set applies, as it stands at each read.
    CHistoryRecorder(CTerminalSession& session, std::function<std::string()> port,
                     CSnapshotFolder folder = CSnapshotFolder(), std::optional<SKeepRule> rule = std::nullopt);
    ~CHistoryRecorder();
    CHistoryRecorder(const CHistoryRecorder&) = delete;
    CHistoryRecorder& operator=(const CHistoryRecorder&) = delete;

    // A snapshot could not be written: why.
    std::function<void(const std::string&)> onError;
    // A snapshot was kept (not a repeat of the unit's newest).
    std::function<void(const SSnapshot&)> onKept;

    // What the observer does; public for the programs' tests.
    void Record(bool afterProfile);

private:
    CTerminalSession& m_session;
    std::function<std::string()> m_port;
    CSnapshotFolder m_folder;
    std::optional<SKeepRule> m_rule;
    // The session's observer outlives nothing it points to.
    std::shared_ptr<CHistoryRecorder*> m_self;
};

} // namespace orlan
