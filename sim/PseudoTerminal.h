#pragma once
// The simulator's end of a pseudo-terminal. Both sides are put in raw mode so
// that no echo, line editing or CR/LF translation changes a byte; the slave
// stays open here as well, so the master keeps working while no program has
// the device open and the tool can close and reopen it.
#include <optional>
#include <string>

namespace orlan {

class CPseudoTerminal {
public:
    // Opens a new pseudo-terminal; the master is non-blocking.
    static std::optional<CPseudoTerminal> Open(std::string* error);

    CPseudoTerminal(CPseudoTerminal&& other) noexcept;
    CPseudoTerminal& operator=(CPseudoTerminal&&) = delete;
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;
    ~CPseudoTerminal();

    int MasterFd() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }

    // Makes path a symbolic link to the slave device. An existing symbolic
    // link there is replaced; any other file is left alone and refused.
    bool LinkTo(const std::string& path, std::string* error);

    // Closes both sides (the tool sees the line go dead) and removes the link.
    void Close();

private:
    CPseudoTerminal() = default;

    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_linkPath;
};

} // namespace orlan
