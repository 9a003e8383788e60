// Memory of a profile execution: a 16 MiB profile of saved-profile lines is
// handed to a terminal session, which builds its job; what the job holds is
// measured once the file's bytes are gone (the heap in use, from the C
// library), with the peak resident size of the whole run. No terminal
// answers: the job stays at its first command, holding every line.
#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "session/TerminalSession.h"

namespace {

constexpr size_t kProfileBytes = 16 * 1024 * 1024;

class CNullSink final : public orlan::IByteSink {
    void QueueBlock(std::string_view) override {}
};

// Timers that never fire: the job waits where it is.
class CStillClock final : public orlan::ITimerService {
public:
    int64_t NowMs() const override { return 0; }
    TimerId CallAfter(int, std::function<void()>) override { return ++m_last; }
    void Cancel(TimerId) override {}

private:
    TimerId m_last = 0;
};

class CNullView final : public orlan::ISessionView {};

// Lines as SAVE writes them (CR CR LF), sections of phones, message texts
// and timers; no line repeats the one before it.
std::string MakeProfile()
{
    std::string profile;
    profile.reserve(kProfileBytes + 256);
    char line[160];
    for (unsigned n = 0; profile.size() < kProfileBytes; ++n) {
        if (n % 64 == 0)
            profile += "\r\r\n//Page Device Control phones\r\r\n\r\n";
        switch (n % 4) {
        case 0:
            std::snprintf(line, sizeof line, "%%CS%u+86139%07u\r\r\n", n % 10, n);
            break;
        case 1:
            std::snprintf(line, sizeof line, "%%S%02u0414043204350440044C0020043E0442043A0440%08X\r\r\n", n % 26, n);
            break;
        case 2:
            std::snprintf(line, sizeof line, "%%MTIMER%u%02u,%02u,%u\r\r\n", n % 6, n % 24, n % 60, n % 7);
            break;
        default:
            std::snprintf(line, sizeof line, "%%ETEMPH%u=%d\r\r\n", n % 6, static_cast<int>(n % 90) - 30);
            break;
        }
        profile += line;
    }
    return profile;
}

double MiB(size_t bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks and mapped ones
}

} // namespace

int main()
{
    CNullSink sink;
    CStillClock clock;
    CNullView view;
    orlan::CTerminalSession session(view, sink, clock);

    const size_t before = HeapInUse();
    size_t bytes = 0;
    size_t lines = 0;
    {
        const std::string profile = MakeProfile();
        bytes = profile.size();
        for (char c : profile)
            lines += c == '\n';
        if (!session.ExecuteProfile(profile)) {
            std::fprintf(stderr, "the profile was refused\n");
            return 1;
        }
    }
    malloc_trim(0);
    const size_t held = HeapInUse() - before;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("profile of %.1f MiB (%zu lines): the running job holds %.1f MiB of heap (%.0f bytes per line); "
                "peak resident size of the run %.1f MiB\n",
                MiB(bytes), lines, MiB(held), static_cast<double>(held) / static_cast<double>(lines),
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
