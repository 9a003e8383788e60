#include "sim/Pacer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orlan {

namespace {

// Credit saved while the line idles or the host wakes late: a few writes'
// worth, so the average holds without long bursts.
constexpr double kMaxCreditSlices = 4.0;

} // namespace

CPacer::CPacer(std::uint32_t bytesPerSecond)
    : m_rate(bytesPerSecond),
      m_slice(bytesPerSecond == 0 ? std::numeric_limits<std::size_t>::max()
                                  : std::max<std::size_t>(1, (bytesPerSecond + 999) / 1000))
{
}

void CPacer::Push(std::string_view bytes)
{
    if (!bytes.empty())
        m_chunks.emplace_back(bytes);
}

void CPacer::Refill(int64_t nowUs)
{
    if (m_lastUs < 0) {
        m_credit = static_cast<double>(m_slice);
    } else if (nowUs > m_lastUs) {
        m_credit += static_cast<double>(nowUs - m_lastUs) * m_rate / 1e6;
        m_credit = std::min(m_credit, kMaxCreditSlices * static_cast<double>(m_slice));
    }
    m_lastUs = std::max(m_lastUs, nowUs);
}

std::string_view CPacer::Ready(int64_t nowUs)
{
    if (m_chunks.empty() || NextReadyUs(nowUs) > nowUs)
        return {};
    const std::string_view rest = std::string_view(m_chunks.front()).substr(m_offset);
    if (m_rate == 0)
        return rest;
    const auto allowed = static_cast<std::size_t>(m_credit);
    return rest.substr(0, std::min({allowed, m_slice, rest.size()}));
}

void CPacer::Consume(std::size_t n, int64_t nowUs)
{
    if (m_chunks.empty())
        return;
    if (m_rate != 0)
        m_credit -= static_cast<double>(n);
    m_offset += n;
    if (m_offset >= m_chunks.front().size()) {
        m_chunks.pop_front();
        m_offset = 0;
        m_chunkDoneUs = nowUs;
    }
}

int64_t CPacer::NextReadyUs(int64_t nowUs)
{
    if (m_chunks.empty())
        return -1;
    int64_t at = nowUs;
    if (m_gapUs > 0 && m_offset == 0 && m_chunkDoneUs >= 0)
        at = std::max(at, m_chunkDoneUs + m_gapUs);
    if (m_rate == 0)
        return at;
    Refill(nowUs);
    if (m_credit < 1.0) {
        const auto waitUs = static_cast<int64_t>(std::ceil((1.0 - m_credit) * 1e6 / m_rate));
        at = std::max(at, nowUs + waitUs);
    }
    return at;
}

} // namespace orlan
