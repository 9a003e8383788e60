#pragma once
// A session with every page attached and no terminal behind it: profiles are
// loaded into its pages to be compared or shown. Nothing it might send goes
// anywhere and its timers never fire.
#include <string_view>

#include "session/TerminalSession.h"

namespace orlan {

class CDetachedSession {
public:
    CDetachedSession();
    CDetachedSession(const CDetachedSession&) = delete;
    CDetachedSession& operator=(const CDetachedSession&) = delete;

    CTerminalSession& Session() { return m_session; }
    const CTerminalSession& Session() const { return m_session; }

private:
    class CNoSink final : public IByteSink {
    protected:
        void QueueBlock(std::string_view) override {}
    };
    class CStillClock final : public ITimerService {
    public:
        int64_t NowMs() const override { return 0; }
        TimerId CallAfter(int, std::function<void()>) override { return ++m_last; }
        void Cancel(TimerId) override {}

    private:
        TimerId m_last = 0;
    };
    CNoSink m_sink;
    CStillClock m_clock;
    ISessionView m_view;
    CTerminalSession m_session{m_view, m_sink, m_clock};
};

} // namespace orlan
