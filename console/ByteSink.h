#pragma once
// Where wire bytes go: the serial channel in the programs, a recorder in
// tests. The channel takes at most one slot of 1024 bytes per block, so
// every write is cut here, in one place, and a long text (a memo command, a
// pasted console line) goes whole in several blocks.
#include <cstddef>
#include <string_view>

namespace orlan {

class IByteSink {
public:
    static constexpr size_t kMaxBlock = 1024;

    virtual ~IByteSink() = default;

    void QueueWrite(std::string_view bytes)
    {
        for (size_t i = 0; i < bytes.size(); i += kMaxBlock)
            QueueBlock(bytes.substr(i, kMaxBlock));
    }

protected:
    // One block of at most kMaxBlock bytes, never empty.
    virtual void QueueBlock(std::string_view block) = 0;
};

} // namespace orlan
