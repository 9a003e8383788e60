#pragma once
// Wakes the port thread out of its wait on the device: output was queued, a
// setting changed or a stop was requested. An eventfd on Linux, a self-pipe
// on other Unix systems; elsewhere there is no descriptor and the thread
// polls (Fd() is -1).
namespace orlan {

class CWakeUp {
public:
    CWakeUp();
    ~CWakeUp();
    CWakeUp(const CWakeUp&) = delete;
    CWakeUp& operator=(const CWakeUp&) = delete;

    // Any thread. Stays signalled until Drain, so a wake-up given before the
    // wait begins is not lost.
    void Signal();
    // The waiting thread, after its wait saw Fd() readable.
    void Drain();
    // Readable while signalled; -1 when the system has none.
    int Fd() const { return m_readFd; }

private:
    int m_readFd = -1;
    int m_writeFd = -1;
};

} // namespace orlan
