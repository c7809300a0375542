#pragma once
// The adapter layer may show a message; a service has no desktop to show it
// on, so the message goes to the event log and nobody is asked anything.

#include "platform/MessageBox.h"
#include "service/EventLog.h"

class CEventLogMessageBox : public IMessageBox {
public:
    explicit CEventLogMessageBox(IEventLog& log) : log(log) {}

    int Show(const std::u16string& text, const std::u16string&, std::uint32_t style) override
    {
        log.Report(EventType::kWarning, u"The adapter layer reported: " + text);
        // A question nobody can answer is declined.
        return (style & 0xF) == kMbYesNo ? kIdNo : kIdOk;
    }

private:
    IEventLog& log;
};
