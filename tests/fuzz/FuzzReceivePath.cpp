// Feeds arbitrary bytes, cut into chunks of input-chosen sizes, through the
// receive path and checks that its buffers stay within their bounds.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "console/ReceivePath.h"

namespace {

class CNullSink : public orlan::IByteSink {
public:
    void QueueBlock(std::string_view) override {}
};

class CCheckingListener : public orlan::IReceiveListener, public orlan::IDumpDispatcher {
public:
    void DispatchLine(std::string_view line) override
    {
        if (line.empty() || line.size() >= orlan::CReceivePath::kMaxLineLength)
            std::abort();
    }
    void OnPictureComplete(std::span<const uint8_t> jpeg) override
    {
        if (jpeg.empty() || jpeg.size() >= orlan::CReceivePath::kImageBufferSize)
            std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CNullSink sink;
    CCheckingListener listener;
    orlan::CReceivePath rx(listener, sink);
    rx.SetDumpDispatcher(&listener);
    rx.SetPassword("pw");
    rx.SetSetupRequested(size > 0 && data[0] & 1);
    size_t pos = 0;
    while (pos < size) {
        // Two bytes choose the chunk size, so chunks of many kilobytes occur.
        size_t chunk = 1;
        if (pos + 2 <= size)
            chunk = 1 + ((size_t{data[pos]} << 8 | data[pos + 1]) % 40000);
        pos += 2;
        if (pos >= size)
            break;
        chunk = std::min(chunk, size - pos);
        rx.OnSerialData(reinterpret_cast<const char*>(data + pos), chunk);
        pos += chunk;
        if (rx.BufferedTextBytes() > orlan::CReceivePath::kRxBufferSize ||
            rx.ImageCount() >= orlan::CReceivePath::kImageBufferSize)
            std::abort();
    }
    return 0;
}
