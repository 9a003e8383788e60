#pragma once
// Where wire bytes go: the serial channel's QueueWrite in the programs, a
// recorder in tests. One call is one queued block.
#include <cstddef>
#include <string_view>

namespace orlan {

class IByteSink {
public:
    virtual ~IByteSink() = default;
    virtual void QueueWrite(std::string_view bytes) = 0;
};

} // namespace orlan
