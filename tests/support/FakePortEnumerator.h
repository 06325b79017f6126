#pragma once

#include "link/PortEnumerator.h"

// The system's serial ports as a test lists them; none unless the test adds some.
class FakePortEnumerator final : public calorant::PortEnumerator {
public:
    QList<calorant::SerialPortEntry> ports;
    QList<calorant::SerialPortEntry> availablePorts() const override { return ports; }
};
