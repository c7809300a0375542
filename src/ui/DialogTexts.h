#pragma once
// The texts the backup and current-IP dialogs show for the adapters, and the
// messages they share. The window code puts these into its controls as they are.

#include "net/AdapterRecord.h"
#include "ui/Texts.h"

#include <string>

class CAdapterList;


// "connection-->description": a line of the adapter box and a block's title.
std::u16string AdapterTitle(const AdapterRecord& adapter);

// The backup dialog's details of one adapter.
std::u16string BackupDetails(const AdapterRecord& adapter);

// The current-IP dialog's details: one block per adapter in inventory order,
// each closed by a line of forty "=".
std::u16string CurrentIpDetails(const CAdapterList& adapters);
