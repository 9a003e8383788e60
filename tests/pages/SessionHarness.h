#pragma once
// A terminal session with every page attached, a recording sink and a manual
// clock: tests feed terminal lines, press buttons and read the wire.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "session/TerminalSession.h"
#include "pages/AllPages.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan::test {

// The wire texts of a command list, for comparing batches.
inline std::vector<std::string> Texts(const CCommandList& commands)
{
    std::vector<std::string> texts;
    for (const SCommand& command : commands)
        texts.push_back(command.text);
    return texts;
}

class CRecordingView final : public ISessionView {
public:
    void OnJobFinished(const std::string& name, const SJobReport& report) override
    {
        jobs.emplace_back(name, report);
    }
    void OnValueRefused(const CPage&, const std::string& fieldId, const std::string& why) override
    {
        refusals.push_back(fieldId + ": " + why);
    }
    std::vector<std::pair<std::string, SJobReport>> jobs;
    std::vector<std::string> refusals;
};

class CSessionHarness {
public:
    CSessionHarness()
    {
        for (auto& page : CreateAllPages())
            session.AddPage(std::move(page));
    }

    template <typename TPage>
    TPage& Page(std::string_view className)
    {
        return dynamic_cast<TPage&>(*session.FindPage(className));
    }

    // Terminal output; each line gets CR LF.
    void Feed(std::initializer_list<std::string_view> lines)
    {
        for (std::string_view line : lines) {
            const std::string bytes = std::string(line) + "\r\n";
            session.Receive().OnSerialData(bytes.data(), bytes.size());
        }
    }
    void AnswerOk() { Feed({"CMD OK"}); }

    // Blocks written since the last call.
    std::vector<std::string> TakeWritten()
    {
        std::vector<std::string> written(sink.blocks.begin() + static_cast<std::ptrdiff_t>(m_taken),
                                         sink.blocks.end());
        m_taken = sink.blocks.size();
        return written;
    }

    CRecordingSink sink;
    CManualClock clock;
    CRecordingView view;
    CTerminalSession session{view, sink, clock};

private:
    size_t m_taken = 0;
};

} // namespace orlan::test
