#pragma once
// Helpers of the link tests: bounded waits and a pseudo-terminal whose
// master side plays the terminal.
#include <QByteArray>
#include "support/QtTestSupport.h"
#include <QString>

#include <chrono>
#include <cstddef>
#include <functional>

namespace orlan::test {

// `count` bytes whose values do not repeat with a short period.
QByteArray Pattern(std::size_t count);

class CPseudoTerminal {
public:
    CPseudoTerminal();
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    bool Valid() const { return m_master >= 0; }
    int Master() const { return m_master; }
    QString SlavePath() const { return m_slavePath; }

    // Reads until `count` bytes arrived or the patience ran out.
    QByteArray ReadMaster(std::size_t count, std::chrono::milliseconds limit = kPatience);
    bool WriteMaster(const QByteArray& bytes);
    // The far side hangs up.
    void CloseMaster();

private:
    int m_master = -1;
    QString m_slavePath;
};

} // namespace orlan::test
