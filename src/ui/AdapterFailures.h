#pragma once
// What the inventory could not read is shown by the window that asked for
// it, one box each, in the words the system gave.

#include "net/AdapterList.h"
#include "platform/MessageBox.h"

#include <vector>

inline void TellFailures(IMessageBox& messages, WindowHandle owner, const std::vector<std::u16string>& failures)
{
    for (const std::u16string& failure : failures)
        messages.Show(owner, failure, kMessageCaption, kMbOk);
}

// Refreshes `adapters` and tells each failure of the refresh; the count.
inline std::int32_t RefreshAndTell(CAdapterList& adapters, IMessageBox& messages, WindowHandle owner)
{
    const std::int32_t count = adapters.Refresh();
    TellFailures(messages, owner, adapters.Failures());
    return count;
}
