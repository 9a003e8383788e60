#include "cli/StopSignals.h"

#include <atomic>
#include <csignal>

namespace orlan {

namespace {

constexpr int kPollMs = 50;

std::atomic<int> g_pending{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnStopSignal(int)
{
    g_pending.fetch_add(1);
}

} // namespace

CStopSignals::CStopSignals(std::function<void()> onStop) : m_onStop(std::move(onStop))
{
    g_pending = 0;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        for (int n = g_pending.exchange(0); n > 0; --n)
            m_onStop();
    });
    m_poll.start(kPollMs);
}

CStopSignals::~CStopSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

} // namespace orlan
