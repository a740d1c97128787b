// The seams between a programmer and its platform, gathered in one object.
//
// A running programmer gets the real ones: CProgrammerApp fills in every
// member its caller left empty with the platform's own (the registry or its
// QSettings stand-in, message boxes, file dialogs, the serial ports named by
// the profile, the real clock's pauses, process start, the help viewer).
// Tests hand in fakes for what they want to see or answer; nothing is global,
// so nothing needs resetting between tests. The application hands the
// completed set to its windows through its CAppContext.
#pragma once

class IHelpSink;

namespace radio {

class ISettingsStore;
class IMessageBoxes;
class IFileDialogs;
class IPortOpener;
class IWaiter;
class IProcessStarter;

struct CServices {
    ISettingsStore* settings = nullptr;
    IMessageBoxes* messages = nullptr;
    IFileDialogs* fileDialogs = nullptr;
    // The serial ports by the user's names (com1..com4, device paths).
    IPortOpener* ports = nullptr;
    // The clone protocol's pauses.
    IWaiter* waiter = nullptr;
    IProcessStarter* processes = nullptr;
    // Where help requests go; empty: the platform's viewer.
    IHelpSink* help = nullptr;
};

} // namespace radio
