#pragma once
// What the inventory could not read is shown by the layer that asked for it,
// through its own message boxes, in the words the system gave.

#include "net/AdapterList.h"
#include "platform/MessageBox.h"

// Refreshes `adapters` and shows each failure of the refresh; the count.
inline std::int32_t RefreshAndTell(CAdapterList& adapters, IMessageBox& messages)
{
    const std::int32_t count = adapters.Refresh();
    for (const std::u16string& failure : adapters.Failures())
        messages.Show(failure, kMessageCaption, kMbOk);
    return count;
}
