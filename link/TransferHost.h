// What the clone transfer itself needs from whoever runs it (the window's
// transfer command, the command line tool): progress, the Cancel poll, the
// messages and the Retry question. The chores around a transfer (committing
// the cell editor, GridToImage before a write, refreshing the grid after a
// read, closing the Process dialog) belong to the caller, around Run.
#pragma once

#include "MessageIds.h"

namespace radio {

// User messages of the link, by string id.
enum class LinkMessage {
    PortOpenFailed = ids::kCannotOpenPort,
    CommunicationError = ids::kCommunicationError, // asked with Retry/Cancel
    ProgramInterrupt = ids::kProgramInterrupt,
};

class ITransferHost {
public:
    virtual ~ITransferHost() = default;

    // A transfer starts (a write with backup and read-back runs three):
    // `pairs` block pairs in the given direction. The progress bar's range.
    virtual void BeginTransfer(bool /*write*/, int /*pairs*/) {}
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
};

} // namespace radio
