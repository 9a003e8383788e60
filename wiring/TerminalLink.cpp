#include "wiring/TerminalLink.h"

#include "pages/AllPages.h"

namespace orlan {

CTerminalLink::CTerminalLink(ISessionView& view) : m_session(view, m_sink, m_timers)
{
    for (std::unique_ptr<CPage>& page : CreateAllPages())
        m_session.AddPage(std::move(page));
    // Queued to the owner's thread; the channel lives as long as this link.
    QObject::connect(&m_port, &CSerialPort::portClosed, &m_port,
                     [this](const QString& reason) { m_session.OnChannelClosed(reason.toStdString()); });
}

CTerminalLink::~CTerminalLink()
{
    // The port thread must not hand a block to a session that is going.
    m_port.StartStop(false);
}

void CTerminalLink::Open(const QString& devicePath, int portNumber)
{
    m_port.SetDevicePath(devicePath);
    if (devicePath.isEmpty())
        m_port.SetPortNumber(portNumber);
    m_port.SetBaudRate(kConsoleBaudRate);
    m_session.OnChannelOpened();
    m_port.StartStop(true, this);
}

void CTerminalLink::Close()
{
    m_port.StartStop(false);
}

void CTerminalLink::OnSerialData(const char* bytes, std::size_t count)
{
    if (blockTap)
        blockTap(bytes, count);
    m_session.OnSerialData(bytes, count);
}

} // namespace orlan
