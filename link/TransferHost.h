// What the clone transfer needs from the window (or the command line tool)
// that runs it. The transfer itself knows nothing of windows.
#pragma once

namespace radio {

// User messages of the link, by string id.
enum class LinkMessage {
    PortOpenFailed = 61453,     // "Could not Open the Port,..."
    CommunicationError = 61451, // "Communication Error,..." (asked with Retry/Cancel)
    ProgramInterrupt = 61454,   // "Program Interrupt,..."
};

class ITransferHost {
public:
    virtual ~ITransferHost() = default;

    // Before the exchange: commit the visible cell editor; for a write, also
    // encode the grid into the image.
    virtual void CommitCellEditor() = 0;
    virtual void GridToImage() = 0;

    // One block pair done: step the progress bar by one and show the count.
    virtual void StepProgress(int pairsDone) = 0;
    // Take and dispatch one pending event of the user interface, if any.
    virtual void PumpOneEvent() = 0;
    // The Process dialog's Cancel was pressed.
    virtual bool CancelRequested() = 0;

    // Message boxes. `detail` carries the system's reason where there is one
    // (why a port could not be opened); it may be empty.
    virtual void ShowMessage(LinkMessage id, const char* detail) = 0;
    // Message 61451 with Retry and Cancel; true for Retry.
    virtual bool AskRetry() = 0;

    // The transfer has ended in any way: the Process dialog goes away.
    virtual void EndProcessDialog() = 0;
    // After a complete read, once the new image is in place: clear the
    // fresh-document flag and refresh the grid from the image.
    virtual void AfterRead() = 0;
};

} // namespace radio
