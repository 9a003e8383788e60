// Throughput of the receive path: bytes per second through line cutting,
// classification and event parsing, for the traffic of a whole-configuration
// read delivered in blocks of the sizes the serial channel hands over.
#include <benchmark/benchmark.h>

#include <string>

#include "console/ReceivePath.h"

namespace {

class CNullSink : public orlan::IByteSink {
public:
    void QueueBlock(std::string_view) override {}
};

class CCountingDispatcher : public orlan::IReceiveListener, public orlan::IDumpDispatcher {
public:
    void DispatchLine(std::string_view line) override { bytes += line.size(); }
    size_t bytes = 0;
};

std::string ConfigurationTraffic()
{
    std::string traffic;
    for (int i = 0; i < 400; ++i) {
        traffic += "$S" + std::to_string(i % 100) + " 1,0," + std::string(20 + i % 40, '0' + i % 10) + "\r\n";
        if (i % 50 == 0)
            traffic += "$: \"" + std::to_string(i) + "\" \"DIN 1 ALARM SMS\" \"1 Door\" \"a\" \"b\" \"c\" \"d\"\r\n";
    }
    traffic += "CMD OK\r\n$END DUMPR\r\n";
    return traffic;
}

void BM_ReceivePathThroughput(benchmark::State& state)
{
    const std::string traffic = ConfigurationTraffic();
    const size_t block = static_cast<size_t>(state.range(0));
    CNullSink sink;
    CCountingDispatcher listener;
    orlan::CReceivePath rx(listener, sink);
    rx.SetDumpDispatcher(&listener);
    for (auto _ : state) {
        for (size_t i = 0; i < traffic.size(); i += block)
            rx.OnSerialData(traffic.data() + i, std::min(block, traffic.size() - i));
    }
    benchmark::DoNotOptimize(listener.bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * traffic.size()));
    // Against a real terminal's line rate (115 200 bit/s, 11 520 bytes a second).
    const double bytes = static_cast<double>(state.iterations()) * static_cast<double>(traffic.size());
    state.counters["x_line_rate"] = benchmark::Counter(bytes / 11520.0, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReceivePathThroughput)->Arg(64)->Arg(576)->Arg(4096)->Arg(131072);

} // namespace

BENCHMARK_MAIN();
