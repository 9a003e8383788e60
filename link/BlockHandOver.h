#pragma once
// Hands each block the port thread reads to the owner's thread and waits
// until the owner has processed it, so the port thread never reads over a
// block still in use. A stop request ends the wait at once: a delivery not
// yet started is then cancelled. Posted deliveries hold this object, so one
// that runs late still finds its buffer.
//
// A large block is handed to the owner in slices across turns of its event
// loop, so a burst never holds the owner's thread longer than a frame; the
// port thread still waits for the last slice, and the bytes keep their order.
#include <QObject>

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace orlan {

class IBlockReceiver {
public:
    virtual ~IBlockReceiver() = default;
    // Runs on the owner's thread. `bytes` is valid only during the call.
    virtual void OnSerialData(const char* bytes, std::size_t count) = 0;
};

class CBlockHandOver : public std::enable_shared_from_this<CBlockHandOver> {
public:
    // Bytes handed to the owner between two looks at the clock.
    static constexpr std::size_t kSliceBytes = 4096;
    // The owner's thread is given back once a turn took this long.
    static constexpr int kTurnBudgetMs = 8;

    // `context` lives in the owner's thread; both must outlive every delivery
    // that can still run (a deleted context drops its pending deliveries).
    // `turnBudgetMs` 0: every slice in a turn of its own.
    static std::shared_ptr<CBlockHandOver> Create(IBlockReceiver* owner, QObject* context,
                                                  std::size_t bufferSize,
                                                  int turnBudgetMs = kTurnBudgetMs);

    // Where the port thread reads into.
    std::span<char> Buffer() { return m_buffer; }

    // Port thread. `bytes` lies in Buffer(). Returns once the owner has
    // processed the block or a stop was requested.
    void Deliver(const char* bytes, std::size_t count);
    // Port thread. Sleeps `msecs` unless a stop is requested first; true when
    // it slept the whole time.
    bool PauseUnlessStopped(int msecs);

    // Any thread.
    void RequestStop();
    bool StopRequested() const;

private:
    enum class State { Idle, Posted, Running, Cancelled };

    CBlockHandOver(IBlockReceiver* owner, QObject* context, std::size_t bufferSize, int turnBudgetMs);
    void Post(const char* bytes, std::size_t count);
    // Owner's thread: hands slices over until the turn's budget is used,
    // then posts the rest.
    void HandToOwner(const char* bytes, std::size_t count);

    IBlockReceiver* const m_owner;
    QObject* const m_context;
    const int m_turnBudgetMs;
    std::vector<char> m_buffer;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    State m_state = State::Idle;
};

} // namespace orlan
