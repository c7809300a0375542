#include "service/Win32EventLog.h"

#include "platform/ProductNames.h"
#include "platform/WideText.h"

#include <windows.h>

namespace {

// The message file's one message, "%1": the whole text is the one insertion.
constexpr DWORD kEventText = 1;

WORD Win32Type(EventType type)
{
    switch (type) {
    case EventType::kWarning: return EVENTLOG_WARNING_TYPE;
    case EventType::kError: return EVENTLOG_ERROR_TYPE;
    case EventType::kInformation: break;
    }
    return EVENTLOG_INFORMATION_TYPE;
}

}  // namespace

CWin32EventLog::CWin32EventLog() : source(RegisterEventSourceW(nullptr, Wide(kEventSource))) {}

CWin32EventLog::~CWin32EventLog()
{
    if (source)
        DeregisterEventSource(source);
}

void CWin32EventLog::Report(EventType type, const std::u16string& text)
{
    if (!source)
        return;
    const wchar_t* strings[] = {Wide(text)};
    ReportEventW(source, Win32Type(type), 0, kEventText, nullptr, 1, 0, strings, nullptr);
}
