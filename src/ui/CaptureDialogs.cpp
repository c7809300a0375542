#include "ui/CaptureDialogs.h"

#include "engine/ProfileCapture.h"
#include "ui/AdapterFailures.h"
#include "ui/DialogTexts.h"
#include "ui/Texts.h"

CBackupModel::CBackupModel(CProfileStore& store, const CAdapterList& adapters, IMessageBox& messages)
    : store(store), adapters(adapters), messages(messages)
{
}

bool CBackupModel::Open()
{
    if (adapters.Count() > 0)
        return true;
    messages.Show(owner, kDialogLoadError, kMessageCaption, kMbOk);
    return false;
}

std::vector<std::u16string> CBackupModel::AdapterLines() const
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < adapters.Count(); ++i)
        lines.push_back(AdapterTitle(*adapters.At(i)));
    return lines;
}

std::u16string CBackupModel::Details(int position) const
{
    const AdapterRecord* adapter = adapters.At(position);
    return adapter ? BackupDetails(*adapter) : std::u16string();
}

std::u16string CBackupModel::ProposedName() const
{
    return kNewNamePrefix + store.LastIdText();
}

bool CBackupModel::Save(const std::u16string& name, int selected, bool allAdapters)
{
    int added = 0;
    if (allAdapters)
        added = CaptureProfile(store, name, adapters, kAllAdapters);
    // A box without a selection answers -1, which the capture reads as
    // "every adapter": that is not what the user chose.
    else if (adapters.At(selected))
        added = CaptureProfile(store, name, adapters, selected);
    if (added)
        return true;
    messages.Show(owner, kCaptureFailed, kMessageCaption, kMbIconStop);
    return false;
}

CCurrentIpModel::CCurrentIpModel(CProfileStore& store, const CAdapterList& mainAdapters, IMessageBox& messages)
    : store(store), adapters(mainAdapters), messages(messages)
{
}

std::u16string CCurrentIpModel::ReadDetails(CAdapterList& own)
{
    if (!RefreshAndTell(own, messages, owner)) {
        messages.Show(owner, kAdaptersLoadError, kMessageCaption, kMbOk);
        return {};
    }
    if (own.Count() == 0) {
        messages.Show(owner, kNoAdapters, kMessageCaption, kMbOk);
        return {};
    }
    return CurrentIpDetails(own);
}

bool CCurrentIpModel::Save(const std::u16string& name)
{
    if (CaptureProfile(store, name, adapters, kAllAdapters))
        return true;
    messages.Show(owner, kCaptureFailed, kMessageCaption, kMbIconStop);
    return false;
}
