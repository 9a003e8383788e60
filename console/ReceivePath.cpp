#include "console/ReceivePath.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>

#include "console/ConsoleCommands.h"
#include "console/WireFormat.h"

namespace orlan {

namespace {

bool Contains(std::string_view text, std::string_view what)
{
    return text.find(what) != std::string_view::npos;
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// At most this many stray bytes before a dump line's "$" count as such:
// further in, the "$" is part of some other text.
constexpr size_t kMaxStrayPrefix = 3;

bool IsStrayByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u >= 0x7F || (std::ispunct(u) != 0 && c != '$');
}

bool IsGarbledDumpLine(std::string_view line)
{
    const size_t dollar = line.find('$');
    return dollar != std::string_view::npos && dollar > 0 && dollar <= kMaxStrayPrefix
           && std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(dollar), IsStrayByte);
}

STimeOfDay LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

// Shown on the console page when a picture is complete ("finished").
constexpr std::string_view kPictureDoneText = "\xE5\xAE\x8C\xE6\xAF\x95";

} // namespace

CReceivePath::CReceivePath(IReceiveListener& listener, IByteSink& sink)
    : m_listener(listener)
    , m_sink(sink)
    , m_clock(LocalTimeNow)
    , m_rxBuffer(kRxBufferSize)
    , m_image(kImageBufferSize)
{
}

void CReceivePath::OnSerialData(const char* bytes, size_t count)
{
    if (bytes == nullptr || count == 0)
        return;
    // Bytes that an image start pulled out of the text buffer are fed again
    // ahead of the rest of the chunk; they live in |work| meanwhile.
    std::string work;
    const char* p = bytes;
    size_t n = count;
    bool rawShown = false;
    while (n > 0) {
        size_t used = 0;
        if (m_imageMode) {
            used = FeedImage(p, n);
        } else {
            if (!rawShown) {
                m_listener.OnRawText(std::string_view(p, n));
                rawShown = true;
            }
            used = FeedText(p, n);
        }
        p += used;
        n -= used;
        if (!m_carry.empty()) {
            std::string next = std::move(m_carry);
            m_carry.clear();
            next.append(p, n);
            work.swap(next);
            p = work.data();
            n = work.size();
        }
    }
}

size_t CReceivePath::FeedText(const char* bytes, size_t count)
{
    char* buffer = m_rxBuffer.data();
    size_t consumed = 0;
    while (consumed < count) {
        // Keep what is not consumed yet and move it to the front, so a line
        // waiting for its end survives any amount of traffic before it.
        if (m_rxPos > 0) {
            std::memmove(buffer, buffer + m_rxPos, m_rxLength - m_rxPos);
            m_rxLength -= m_rxPos;
            m_rxPos = 0;
        }
        if (m_rxLength == kRxBufferSize) {
            // One unfinished line fills the whole buffer: it can only be
            // over-long, so drop it and skip the rest of it as it arrives.
            m_rxLength = 0;
            m_scanned = 0;
            m_skippingLongLine = true;
        }
        const size_t n = std::min(kRxBufferSize - m_rxLength, count - consumed);
        std::memcpy(buffer + m_rxLength, bytes + consumed, n);
        m_rxLength += n;
        consumed += n;

        std::string_view line;
        while (ExtractLine(line)) {
            if (!ProcessLine(line))
                return consumed;
        }
    }
    return consumed;
}

bool CReceivePath::ExtractLine(std::string_view& line)
{
    const char* buffer = m_rxBuffer.data();
    if (m_skippingLongLine) {
        const char* end = std::find_if(buffer + m_rxPos, buffer + m_rxLength, IsLineEnd);
        m_rxPos = static_cast<size_t>(end - buffer);
        if (m_rxPos == m_rxLength)
            return false;
        m_skippingLongLine = false;
        m_scanned = 0;
    }
    for (;;) {
        if (m_scanned == 0) {
            while (m_rxPos < m_rxLength && IsLineEnd(buffer[m_rxPos]))
                ++m_rxPos;
        }
        const size_t start = m_rxPos;
        const char* end = std::find_if(buffer + start + m_scanned, buffer + m_rxLength, IsLineEnd);
        const size_t i = static_cast<size_t>(end - buffer);
        if (i == m_rxLength) {
            m_scanned = m_rxLength - start;
            return false;
        }
        m_scanned = 0;
        m_rxPos = i + 1;
        const size_t length = i - start;
        if (length >= kMaxLineLength)
            continue;  // an over-long line is skipped alone
        line = std::string_view(buffer + start, length);
        return true;
    }
}

bool CReceivePath::ProcessLine(std::string_view line)
{
    if (line.empty())
        return true;
    if (line.front() == '$' || line.front() == '%')
        m_listener.OnProgressShowLine(4, std::string(line));
    else if (line.front() == '*')
        m_listener.OnProgressShow(4);

    if (Contains(line, "$IMAGE_START")) {
        StartImage();
        return false;
    }
    if (Contains(line, "$IMAGE_ERR"))
        EndImageFailed("image get error!");

    m_lineLog.Add(line);
    m_listener.OnLineLogged(line);
    if (IsGarbledDumpLine(line))
        ++m_garbledDumpLines;

    ProcessStatusLines(line);
    ProcessLoginLines(line);

    if (Contains(line, "$:")) {
        const SEventRow& row = m_events.Append(ParseEventRecord(line, m_clock()));
        m_listener.OnEventAppended(row);
    }
    if (m_dispatcher != nullptr)
        m_dispatcher->DispatchLine(line);

    if (m_setupRequested && Contains(line, "Press ")) {
        m_listener.OnProgressShow(15);
        m_setupRequested = false;
        m_listener.OnSetupKeyRunRequested();
    }
    return true;
}

void CReceivePath::ProcessStatusLines(std::string_view line)
{
    IReceiveListener& l = m_listener;
    auto showFinish = [&l](int ticks) {
        l.OnProgressShow(ticks);
        l.OnProgressFinish();
    };
    if (Contains(line, "Please wait")) {
        m_answerReceived = true;
        l.OnProgressShow(12);
        l.OnAnswer(EAnswer::PleaseWait);
    }
    if (Contains(line, "CMD OK")) {
        m_answerReceived = true;
        showFinish(1);
        l.OnAnswer(EAnswer::CmdOk);
    }
    if (Contains(line, "CMD ERR")) {
        m_answerReceived = true;
        l.OnProgressFinish();
        l.OnAnswer(EAnswer::CmdErr);
    }
    if (Contains(line, "Waiting module...")) {
        showFinish(20);
        SetStatus(m_texts.powerUping);
    }
    if (Contains(line, "Detecting cmos camera"))
        SetStatus(m_texts.initCamera);
    if (Contains(line, "System init Done...")) {
        showFinish(20);
        SetStatus("Powerup success");
    }
    if (Contains(line, "Machine timer supported!")) {
        showFinish(20);
        SetStatus("System starting....");
    }
    if (Contains(line, "come in setup mode")) {
        showFinish(6);
        SetStatus(m_texts.setupingMode);
        l.OnSecondStatusText(m_texts.setupingMode);
        l.OnBeep();
    }
    if (Contains(line, "Network Registing...")) {
        showFinish(6);
        SetStatus(m_texts.registing);
    }
    if (Contains(line, "Press '%%%%")) {
        showFinish(6);
        SetStatus(m_texts.starting);
        l.OnSecondStatusText("");
    }
    if (Contains(line, "Working mode now")) {
        showFinish(6);
        SetStatus(m_texts.workMode);
        l.OnSecondStatusText(m_texts.workMode);
    }
    if (Contains(line, "Initing Camera...")) {
        showFinish(6);
        SetStatus(m_texts.initCamera);
    }
    if (Contains(line, "Setting Module params..")) {
        showFinish(6);
        SetStatus("Setting module params.....");
    }
    if (Contains(line, "Attaching GPRS")) {
        showFinish(6);
        SetStatus("GPRS attaching.....");
    }
}

void CReceivePath::ProcessLoginLines(std::string_view line)
{
    IReceiveListener& l = m_listener;
    const bool failed = Contains(line, "Login Failed");
    if (failed)
        l.OnLoginFailed();
    if (Contains(line, "please input password") || Contains(line, "Console started, please login")) {
        l.OnProgressShow(6);
        l.OnProgressFinish();
        if (l.OnPasswordPrompt())
            SendPassword(m_sink, m_password);
    }
    if (Contains(line, "Login Success")) {
        SetStatus(m_texts.loginOk);
        l.OnLoginSuccess();
        l.OnBeep();
    }
    if (failed) {
        m_haveLogin = false;
        SetStatus("Password is incorrect!!");
        l.OnBeep();
    }
    if (Contains(line, "DUMPR")) {
        SetStatus(m_texts.reloadOk);
        l.OnBeep();
        m_haveLogin = true;
        l.OnDumpEndLine();
    }
}

void CReceivePath::StartImage()
{
    SetStatus("start reading image!");
    m_imageCount = 0;
    m_imageMode = true;
    // The marker line ends in CR LF; the LF is not a picture byte.
    if (m_rxPos < m_rxLength && m_rxBuffer[m_rxPos] == '\n')
        ++m_rxPos;
    const size_t remaining = m_rxLength - m_rxPos;
    m_lineLog.Add("$IMAGE_START");
    m_listener.OnLineLogged("$IMAGE_START");
    if (remaining > 0) {
        SetStatus(FormatWire("copy %zu byte data!", remaining));
        m_carry.assign(m_rxBuffer.data() + m_rxPos, remaining);
    }
    m_rxPos = 0;
    m_rxLength = 0;
    m_scanned = 0;
}

void CReceivePath::DiscardUnfinishedLine()
{
    m_rxPos = 0;
    m_rxLength = 0;
    m_scanned = 0;
    m_skippingLongLine = false;
}

void CReceivePath::AbandonImage()
{
    if (m_imageMode)
        EndImageFailed("image get error!");
}

void CReceivePath::EndImageFailed(const std::string& status)
{
    SetStatus(status);
    m_imageCount = 0;
    m_imageMode = false;
    m_listener.OnPictureFailed();
}

size_t CReceivePath::FeedImage(const char* bytes, size_t count)
{
    constexpr size_t kMarker = kImageEndMarker.size();
    const std::string_view data(bytes, count);

    // Where the end marker ends in |data|, when it is there; it may have
    // begun in the bytes already collected.
    size_t markerEnd = std::string_view::npos;
    for (size_t k = std::min(m_imageCount, kMarker - 1); k >= 1; --k) {
        const std::string_view head = kImageEndMarker.substr(0, k);
        const std::string_view tail = kImageEndMarker.substr(k);
        const std::string_view collected(reinterpret_cast<const char*>(m_image.data()) + m_imageCount - k, k);
        if (collected == head && data.substr(0, tail.size()) == tail) {
            markerEnd = tail.size();
            break;
        }
    }
    if (markerEnd == std::string_view::npos) {
        const size_t at = data.find(kImageEndMarker);
        if (at != std::string_view::npos)
            markerEnd = at + kMarker;
    }

    const size_t used = markerEnd == std::string_view::npos ? count : markerEnd;
    if (m_imageCount + used >= kImageBufferSize) {
        // The picture is dropped; what follows its end marker in this chunk
        // is text and is processed as such.
        EndImageFailed("jpeg data overload!!");
        return used;
    }
    const size_t pictureBytes = markerEnd == std::string_view::npos ? count
                                : markerEnd >= kMarker                ? markerEnd - kMarker
                                                                      : 0;
    std::memcpy(m_image.data() + m_imageCount, bytes, pictureBytes);
    m_imageCount += pictureBytes;
    const std::string progress = FormatWire("copy %zu byte data, totle=%zu", used, m_imageCount);
    SetStatus(progress);
    m_listener.OnProgressShowLine(6, progress);
    if (markerEnd == std::string_view::npos)
        return count;

    if (markerEnd < kMarker)
        m_imageCount -= kMarker - markerEnd;  // the marker's head was collected already
    m_imageMode = false;
    m_listener.OnRawText(kPictureDoneText);
    m_lineLog.Add("$IMAGE_END");
    m_listener.OnLineLogged("$IMAGE_END");
    if (m_imageCount == 0)
        EndImageFailed("image get error!");
    else
        m_listener.OnPictureComplete(std::span<const uint8_t>(m_image.data(), m_imageCount));
    return markerEnd;
}

} // namespace orlan
