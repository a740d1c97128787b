// How the programmer windows reach serial ports and the protocol's pauses:
// ports by the user's name (com1..com4 through the profile's "PortN" keys of
// section "Setup", else the serial devices present), pauses on the real
// clock. Tests replace either with a factory of their own.
#pragma once

#include "SerialPort.h"

#include <functional>
#include <memory>
#include <string>

namespace radio {

using PortOpenerFactory = std::function<std::unique_ptr<IPortOpener>()>;
using WaiterFactory = std::function<std::unique_ptr<IWaiter>()>;

// The opener the transfer and the COM Setup probe use.
std::unique_ptr<IPortOpener> MakePortOpener();
// The waiter of the transfer.
std::unique_ptr<IWaiter> MakeWaiter();

// Replace the defaults; an empty factory restores them.
void SetPortOpenerFactory(PortOpenerFactory factory);
void SetWaiterFactory(WaiterFactory factory);

// The device the profile names for comN ("PortN" of "Setup"), "" if none.
std::string ProfilePortDevice(int n);

} // namespace radio
