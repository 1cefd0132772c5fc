#pragma once

#include "connection/PortServices.h"

namespace qm {

// The port services of this machine: the USB lookup through sysfs (UsbPorts.h), the parking of
// print queues and raw print jobs through CUPS (PrintQueues.h). The object holds no state, so
// one instance serves every connection, in any thread.
PortServices& SystemPortServices();

} // namespace qm
