#pragma once
// The Application event log, under the source "Lanvoy".

#include "service/EventLog.h"

class CWin32EventLog : public IEventLog {
public:
    CWin32EventLog();
    ~CWin32EventLog() override;
    CWin32EventLog(const CWin32EventLog&) = delete;
    CWin32EventLog& operator=(const CWin32EventLog&) = delete;

    // Nothing is recorded when the source could not be registered.
    void Report(EventType type, const std::u16string& text) override;

private:
    void* source = nullptr;
};
