#pragma once

// What a transfer asks of the programmer window while it runs: events are
// pumped so a Cancel or Stop click arrives, the link's messages are message
// boxes, and the Retry question is asked. Where the progress goes (the
// Process dialog, the "Write to several radios" dialog) is the subclass's.
//
// And what the user is told of a write with its safeguards once it is over.

#include "RadioWriter.h"
#include "TransferHost.h"

#include <string>

namespace radio {
class CAppContext;
}

class CWindowTransferHost : public radio::ITransferHost {
public:
    explicit CWindowTransferHost(const radio::CAppContext& app) : m_app(app) {}

    void PumpOneEvent() override;
    void ShowMessage(radio::LinkMessage id, const char* detail) override;
    bool AskRetry() override;

protected:
    const radio::CAppContext& m_app;
};

// The lines the user reads after a write, beyond the link's own messages
// (which the host showed as they happened): the writer's message, why a
// cancelled write stopped where it did, where the backup went, and that the
// radio was verified. "" when there is nothing to add (a plain write).
std::string WriteReportText(const radio::CAppContext& app, const radio::WriteReport& report);

// Why a write did not succeed, in one line for a row's list of failures:
// the writer's message, else the link's.
std::string WriteFailureText(const radio::CAppContext& app, const radio::WriteReport& report);
