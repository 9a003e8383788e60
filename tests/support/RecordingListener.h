#pragma once
// A receive listener that records what the receive path reported, as a
// readable trace of "what:detail" entries plus the individual values.
#include <cstdint>
#include <string>
#include <vector>

#include "console/EventList.h"
#include "console/ReceiveListener.h"

namespace orlan::test {

class CRecordingListener : public IReceiveListener, public IDumpDispatcher {
public:
    void OnRawText(std::string_view chunk) override { raw += chunk; }
    void OnStatusText(const std::string& text) override { statuses.push_back(text); }
    void OnSecondStatusText(const std::string& text) override { trace.push_back("second:" + text); }
    void OnProgressShow(int ticks) override { trace.push_back("show:" + std::to_string(ticks)); }
    void OnProgressShowLine(int ticks, const std::string&) override
    {
        trace.push_back("showline:" + std::to_string(ticks));
    }
    void OnProgressFinish() override { trace.push_back("finish"); }
    void OnBeep() override { ++beeps; }
    void OnAnswer(EAnswer answer) override { answers.push_back(answer); }
    void OnLoginSuccess() override { trace.push_back("login-success"); }
    void OnLoginFailed() override { trace.push_back("login-failed"); }
    void OnDumpEndLine() override { trace.push_back("read-complete"); }
    void OnSetupKeyRunRequested() override { trace.push_back("key-run"); }
    void OnPictureComplete(std::span<const uint8_t> jpeg) override
    {
        pictures.emplace_back(jpeg.begin(), jpeg.end());
    }
    void OnPictureFailed() override { trace.push_back("picture-failed"); }
    void DispatchLine(std::string_view line) override { dispatched.emplace_back(line); }

    std::string raw;
    std::vector<std::string> statuses;
    std::vector<std::string> trace;
    std::vector<EAnswer> answers;
    std::vector<std::string> dispatched;
    std::vector<std::string> pictures;  // bytes as text for easy comparison
    int beeps = 0;
};

} // namespace orlan::test
