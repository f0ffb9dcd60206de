#include "device/PortLink.h"

#include "platform/NetworkPortName.h"
#include "platform/PortTable.h"

void CPortLink::open(int n) {
    // Only one of the two ever holds a line.
    close();
    const bool network = vexor::looksLikeNetworkPort(vexor::portPath(n));
    m_active = network ? static_cast<ISerialPort*>(&m_network) : &m_serial;
    m_active->open(n);
    m_portNumber = n;
}

bool CPortLink::close() {
    const bool serialClosed = m_serial.close();
    const bool networkClosed = m_network.close();
    return serialClosed && networkClosed;
}
