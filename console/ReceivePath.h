#pragma once
// Everything the terminal prints arrives here: received blocks are collected,
// cut into lines and classified (answers, boot and login lines, event records,
// dump lines); camera pictures are collected in image mode.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/ByteSink.h"
#include "console/EventList.h"
#include "console/LineLog.h"
#include "console/ReceiveListener.h"

namespace orlan {

// Terminal state texts from the catalogue (section SYSMSG), read once.
struct SStatusTexts {
    std::string registing;
    std::string powerUping;
    std::string starting;
    std::string workMode;
    std::string setupingMode;
    std::string loginOk;
    std::string reloadOk;
    std::string initCamera;
};

class CReceivePath {
public:
    static constexpr size_t kRxBufferSize = 18432;
    // Lines of this length or more are skipped.
    static constexpr size_t kMaxLineLength = kRxBufferSize - 2;
    static constexpr size_t kImageBufferSize = 55296;
    static constexpr std::string_view kImageEndMarker = "$IMAGE_END\r\n";

    CReceivePath(IReceiveListener& listener, IByteSink& sink);

    void SetStatusTexts(SStatusTexts texts) { m_texts = std::move(texts); }
    void SetDumpDispatcher(IDumpDispatcher* dispatcher) { m_dispatcher = dispatcher; }
    // The password field's current text, sent on the terminal's login prompts.
    void SetPassword(std::string password) { m_password = std::move(password); }
    void SetClock(std::function<STimeOfDay()> clock) { m_clock = std::move(clock); }

    void OnSerialData(const char* bytes, size_t count);

    bool AnswerReceived() const { return m_answerReceived; }
    void ClearAnswerReceived() { m_answerReceived = false; }
    bool HaveLogin() const { return m_haveLogin; }
    bool SetupRequested() const { return m_setupRequested; }
    void SetSetupRequested(bool on) { m_setupRequested = on; }
    bool ImageMode() const { return m_imageMode; }
    // A picture that stopped coming before its end marker: it is dropped
    // ("image get error!", OnPictureFailed) and text mode resumes.
    void AbandonImage();
    // Drops the text received so far that has no line end yet (before a
    // whole read, once the line went quiet: it is no line of the read).
    void DiscardUnfinishedLine();
    size_t ImageCount() const { return m_imageCount; }
    size_t BufferedTextBytes() const { return m_rxLength - m_rxPos; }
    // Lines so far that look like a dump line with stray bytes in front of
    // its "$" (a NUL, a control or high byte, punctuation): the terminal
    // writes none, so a read that met one did not come through sound.
    size_t GarbledDumpLines() const { return m_garbledDumpLines; }

    const CLineLog& LineLog() const { return m_lineLog; }
    const CEventList& Events() const { return m_events; }
    CEventList& Events() { return m_events; }

private:
    size_t FeedText(const char* bytes, size_t count);
    size_t FeedImage(const char* bytes, size_t count);
    bool ExtractLine(std::string_view& line);
    // Returns false when the line switched to image mode.
    bool ProcessLine(std::string_view line);
    void ProcessStatusLines(std::string_view line);
    void ProcessLoginLines(std::string_view line);
    void StartImage();
    void EndImageFailed(const std::string& status);
    void SetStatus(const std::string& text) { m_listener.OnStatusText(text); }

    IReceiveListener& m_listener;
    IByteSink& m_sink;
    IDumpDispatcher* m_dispatcher = nullptr;
    SStatusTexts m_texts;
    std::string m_password;
    std::function<STimeOfDay()> m_clock;

    std::vector<char> m_rxBuffer;
    size_t m_garbledDumpLines = 0;
    size_t m_rxLength = 0;
    size_t m_rxPos = 0;
    size_t m_scanned = 0;  // bytes behind m_rxPos known to hold no line end
    bool m_skippingLongLine = false;
    std::string m_carry;   // picture bytes that followed the image start line

    std::vector<uint8_t> m_image;
    size_t m_imageCount = 0;
    bool m_imageMode = false;

    bool m_answerReceived = false;
    bool m_haveLogin = false;
    bool m_setupRequested = false;

    CLineLog m_lineLog;
    CEventList m_events;
};

} // namespace orlan
