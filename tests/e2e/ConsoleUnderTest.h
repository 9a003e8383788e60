#pragma once
// The tool's side of an end-to-end test: the real serial channel, the
// receive path and the login handling of the programs.
#include <string>
#include <vector>

#include "console/ConsoleCommands.h"
#include "console/ReceivePath.h"
#include "link/ChannelSink.h"
#include "link/SerialPort.h"
#include "support/RecordingListener.h"

namespace orlan::test {

class CConsoleUnderTest final : public IBlockReceiver, public CRecordingListener {
public:
    explicit CConsoleUnderTest(const QString& device, const std::string& password = {})
    {
        rx.SetDumpDispatcher(this);
        rx.SetPassword(password);
        port.SetDevicePath(device);
        port.SetBaudRate(115200);
        port.StartStop(true, this);
    }

    void OnSerialData(const char* bytes, size_t count) override
    {
        blockSizes.push_back(count);
        received.append(bytes, count);
        rx.OnSerialData(bytes, count);
    }
    void OnLoginSuccess() override
    {
        CRecordingListener::OnLoginSuccess();
        SendWholeConfigurationRead(sink);
    }
    void OnDumpEndLine() override
    {
        CRecordingListener::OnDumpEndLine();
        ++wholeReads;
    }

    CSerialPort port;
    CChannelSink sink{port};
    CReceivePath rx{*this, sink};
    std::vector<size_t> blockSizes;
    std::string received;
    int wholeReads = 0;
};

} // namespace orlan::test
