#include "LinkServices.h"

#include "AppContext.h"
#include "PortNames.h"
#include "SystemWaiter.h"

namespace radio {

namespace {

PortOpenerFactory& OpenerFactory() {
    static PortOpenerFactory factory;
    return factory;
}

WaiterFactory& TheWaiterFactory() {
    static WaiterFactory factory;
    return factory;
}

} // namespace

std::string ProfilePortDevice(int n) {
    return AppContext().ProfileValue("Setup", "Port" + std::to_string(n));
}

std::unique_ptr<IPortOpener> MakePortOpener() {
    if (OpenerFactory()) {
        return OpenerFactory()();
    }
    return std::make_unique<SystemPortOpener>(ProfilePortDevice);
}

std::unique_ptr<IWaiter> MakeWaiter() {
    if (TheWaiterFactory()) {
        return TheWaiterFactory()();
    }
    return std::make_unique<SystemWaiter>();
}

void SetPortOpenerFactory(PortOpenerFactory factory) {
    OpenerFactory() = std::move(factory);
}

void SetWaiterFactory(WaiterFactory factory) {
    TheWaiterFactory() = std::move(factory);
}

} // namespace radio
