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
