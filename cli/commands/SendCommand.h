#pragma once
// send TEXT: the text and a CR to the logged-in terminal; every line it
// sends back goes to standard output until its answer, or until it has been
// quiet a while (a dump request has no answer line).
#include "cli/commands/AnswerCommand.h"

namespace orlan {

class CSendCommand final : public CAnswerCommand {
public:
    explicit CSendCommand(ICliHost& host);

    void Run() override;
    void OnLine(std::string_view line) override;
    void OnQuiet() override;

    // The terminal has said all it will once it has been quiet this long.
    static constexpr int kQuietMs = 600;

private:
    void Accepted() override;
};

} // namespace orlan
