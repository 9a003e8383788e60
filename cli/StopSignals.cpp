#include "cli/StopSignals.h"

#include <atomic>
#include <csignal>

namespace orlan {

namespace {

constexpr int kPollMs = 50;
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

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
    // A closed terminal window or ssh session (SIGHUP) must not leave a batch open either.
    for (int number : kStopSignals)
        std::signal(number, OnStopSignal);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        for (int n = g_pending.exchange(0); n > 0; --n)
            m_onStop();
    });
    m_poll.start(kPollMs);
}

CStopSignals::~CStopSignals()
{
    for (int number : kStopSignals)
        std::signal(number, SIG_DFL);
}

} // namespace orlan
