#pragma once
// A pseudo-terminal takes bytes as fast as they come, so the simulator paces
// itself to the line rate of the serial port it stands for: at most about one
// millisecond's worth of bytes per write, on average the given rate. Writes of
// the terminal keep their boundaries (a write never joins two of them), and a
// gap between them can be asked for so that the reader sees them apart.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace orlan {

class CPacer {
public:
    // bytesPerSecond 0: no pacing, each write goes out whole.
    explicit CPacer(std::uint32_t bytesPerSecond);

    void Push(std::string_view bytes);
    bool Empty() const { return m_chunks.empty(); }

    // Pause between two writes of the terminal (0: none).
    void SetGapUs(int64_t gapUs) { m_gapUs = gapUs; }

    // The bytes that may be written now (monotonic time in microseconds);
    // empty when nothing is due.
    std::string_view Ready(int64_t nowUs);
    // Marks n bytes of Ready() as written.
    void Consume(std::size_t n, int64_t nowUs);

    // When Ready() will next have bytes (nowUs when it has now; -1 when the
    // queue is empty).
    int64_t NextReadyUs(int64_t nowUs);

private:
    void Refill(int64_t nowUs);

    std::uint32_t m_rate;
    std::size_t m_slice;      // bytes per write at most
    std::deque<std::string> m_chunks;
    std::size_t m_offset = 0; // bytes of the front chunk already written
    double m_credit = 0.0;    // bytes the line rate allows now
    int64_t m_lastUs = -1;
    int64_t m_gapUs = 0;
    int64_t m_chunkDoneUs = -1; // when the previous chunk was finished
};

} // namespace orlan
