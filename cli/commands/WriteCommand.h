#pragma once
// write PAGE --set ID=VALUE...: after the whole read, the values into the
// page's fields and the page's Save, as its button in the window does.
#include "cli/commands/PageJobCommand.h"

namespace orlan {

class CWriteCommand final : public CPageJobCommand {
public:
    using CPageJobCommand::CPageJobCommand;

private:
    bool Check() override;
    void StartJob() override;
    std::string ChangeProfile() override;
};

} // namespace orlan
