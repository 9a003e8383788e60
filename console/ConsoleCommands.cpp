#include "console/ConsoleCommands.h"

namespace orlan {

void SendSetupKeyRun(IByteSink& sink)
{
    sink.QueueWrite(kSetupKeyRun);
}

void SendPassword(IByteSink& sink, std::string_view password)
{
    if (!password.empty())
        sink.QueueWrite(password);
    sink.QueueWrite("\r");
}

std::string PasswordError(std::string_view password)
{
    if (password.find_first_of("\r\n") != std::string_view::npos)
        return "the password holds a line break (CR or LF), which the terminal would take for its end";
    if (password.size() + 1 > kTerminalLineLimit)
        return "the password is " + std::to_string(password.size()) + " bytes long; with its CR the terminal takes "
               "at most " + std::to_string(kTerminalLineLimit - 1) + " bytes";
    return {};
}

void SendWholeConfigurationRead(IByteSink& sink)
{
    sink.QueueWrite(kDumpS);
    sink.QueueWrite(kDumpR);
}

void SendFactoryDefaults(IByteSink& sink)
{
    sink.QueueWrite(kFactoryDefaults);
}

void SendRestart(IByteSink& sink)
{
    sink.QueueWrite(kRestart);
}

} // namespace orlan
