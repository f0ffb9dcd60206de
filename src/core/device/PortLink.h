#pragma once

#include "device/ISerialPort.h"
#include "device/NetworkPort.h"
#include "device/SerialPort.h"

// The device's own port: a local serial device or an adapter across the
// network, chosen by the name of the table entry each time a port is opened.
// Everything else goes to whichever of the two was opened last.
class CPortLink : public ISerialPort {
public:
    CPortLink() = default;
    CPortLink(const CPortLink&) = delete;
    CPortLink& operator=(const CPortLink&) = delete;

    void open(int n) override;
    bool close() override;
    bool isOpen() const override { return m_active->isOpen(); }
    int portNumber() const override { return m_portNumber; }

    void configure() override { m_active->configure(); }
    int read(uint8_t* buffer, int count) override { return m_active->read(buffer, count); }
    int write(const uint8_t* buffer, int count) override { return m_active->write(buffer, count); }
    void purgeIn() override { m_active->purgeIn(); }
    void purgeOut() override { m_active->purgeOut(); }
    uint32_t clearCommError() override { return m_active->clearCommError(); }

    CSerialPort& serial() { return m_serial; }
    CNetworkPort& network() { return m_network; }
    bool isNetwork() const { return m_active == &m_network; }

private:
    CSerialPort m_serial;
    CNetworkPort m_network;
    ISerialPort* m_active = &m_serial;
    int m_portNumber = 0;
};
