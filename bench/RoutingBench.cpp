// The whole receive side as a whole read meets it: line cutting, the status
// and login tests, the routing table and every page attached, fed the
// simulator's whole-configuration dump in the block sizes the serial channel
// hands over. Reported against the line rate of a real terminal
// (115 200 bit/s, 11 520 bytes a second).
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "bench/SimTraffic.h"
#include "pages/AllPages.h"
#include "session/TerminalSession.h"

namespace {

constexpr double kWireBytesPerSecond = 11520.0;

class CNullSink : public orlan::IByteSink {
public:
    void QueueBlock(std::string_view) override {}
};

// Time stands still: nothing a benchmark feeds waits for a timer.
class CStillClock : public orlan::ITimerService {
public:
    int64_t NowMs() const override { return 0; }
    TimerId CallAfter(int, std::function<void()>) override { return ++m_last; }
    void Cancel(TimerId) override {}

private:
    TimerId m_last = 0;
};

class CNullView : public orlan::ISessionView {};

void BM_ReceiveSideWithEveryPage(benchmark::State& state)
{
    const std::string traffic = orlan::bench::WholeReadTraffic();
    if (traffic.empty()) {
        state.SkipWithError("the simulator printed no dump");
        return;
    }
    const size_t block = static_cast<size_t>(state.range(0));
    CNullSink sink;
    CStillClock clock;
    CNullView view;
    orlan::CTerminalSession session(view, sink, clock);
    for (std::unique_ptr<orlan::CPage>& page : orlan::CreateAllPages())
        session.AddPage(std::move(page));
    for (auto _ : state) {
        for (size_t i = 0; i < traffic.size(); i += block)
            session.Receive().OnSerialData(traffic.data() + i, std::min(block, traffic.size() - i));
    }
    const double bytes = static_cast<double>(state.iterations()) * static_cast<double>(traffic.size());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["x_line_rate"] =
        benchmark::Counter(bytes / kWireBytesPerSecond, benchmark::Counter::kIsRate);
    state.counters["dump_bytes"] = static_cast<double>(traffic.size());
}
BENCHMARK(BM_ReceiveSideWithEveryPage)->Arg(64)->Arg(576)->Arg(4096);

} // namespace

BENCHMARK_MAIN();
