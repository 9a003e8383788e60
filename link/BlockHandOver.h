#pragma once
// Hands each block the port thread reads to the owner's thread and waits
// until the owner has processed it, so the port thread never reads over a
// block still in use. A stop request ends the wait: a delivery not yet
// started is then cancelled. Posted deliveries hold this object, so one that
// runs late still finds its buffer.
#include <QMutex>
#include <QObject>
#include <QSemaphore>

#include <atomic>
#include <cstddef>
#include <memory>
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
    // `context` lives in the owner's thread; both must outlive every delivery
    // that can still run (a deleted context drops its pending deliveries).
    static std::shared_ptr<CBlockHandOver> Create(IBlockReceiver* owner, QObject* context,
                                                  std::size_t bufferSize);

    // Where the port thread reads into.
    std::span<char> Buffer() { return m_buffer; }

    // Port thread. `bytes` lies in Buffer(). Returns once the owner has
    // processed the block or a stop was requested.
    void Deliver(const char* bytes, std::size_t count);

    // Any thread.
    void RequestStop() { m_stop = true; }
    bool StopRequested() const { return m_stop.load(); }

private:
    enum class State { Idle, Posted, Running, Cancelled };

    CBlockHandOver(IBlockReceiver* owner, QObject* context, std::size_t bufferSize);
    void HandToOwner(const char* bytes, std::size_t count);

    IBlockReceiver* const m_owner;
    QObject* const m_context;
    std::vector<char> m_buffer;
    std::atomic<bool> m_stop{false};
    QMutex m_mutex;
    State m_state = State::Idle;
    QSemaphore m_processed;
};

} // namespace orlan
