#pragma once
// A byte sink that remembers every queued block, for checking wire bytes.
#include <string>
#include <string_view>
#include <vector>

#include "console/ByteSink.h"

namespace orlan::test {

class CRecordingSink : public IByteSink {
public:
    void QueueBlock(std::string_view bytes) override { blocks.emplace_back(bytes); }
    std::string Joined() const
    {
        std::string all;
        for (const auto& b : blocks)
            all += b;
        return all;
    }
    std::vector<std::string> blocks;
};

} // namespace orlan::test
