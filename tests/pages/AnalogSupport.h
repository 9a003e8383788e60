#pragma once
// Shared by the analog and sensor page tests: a job run against a terminal
// that accepts every command, and the wire texts it wrote.
#include <string>
#include <vector>

#include "SessionHarness.h"

namespace orlan::test {

using Blocks = std::vector<std::string>;

// Answers "CMD OK" to every command of the running job until it ends;
// everything written from the start of the job on, in order.
inline Blocks AcceptAll(CSessionHarness& h)
{
    Blocks written = h.TakeWritten();
    for (int i = 0; i < 200 && h.session.Queue().Busy(); ++i) {
        h.AnswerOk();
        h.clock.Advance(1000);
        for (std::string& block : h.TakeWritten())
            written.push_back(std::move(block));
    }
    return written;
}

} // namespace orlan::test
