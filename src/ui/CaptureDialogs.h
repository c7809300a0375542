#pragma once
// What the backup and current-IP dialogs show and save. Both save the main
// window's inventory as a new profile; the window code only moves texts and
// states between these models and its controls.

#include "net/AdapterList.h"
#include "platform/MessageBox.h"
#include "store/ProfileStore.h"

#include <string>
#include <vector>

inline constexpr char16_t kCaptureFailed[] = u"保存当前IP配置失败!";

// A new profile needs a name; the save button is enabled exactly while it has one.
inline bool CanSaveName(const std::u16string& name)
{
    return !name.empty();
}

// The backup dialog: the adapter the user picks, or every adapter.
class CBackupModel {
public:
    CBackupModel(CProfileStore& store, const CAdapterList& adapters, IMessageBox& messages);
    // The dialog the boxes belong to, named by the dialog once it exists.
    void SetOwner(WindowHandle window) { owner = window; }

    // False, after telling the user, when there is no adapter to back up.
    bool Open();
    // One line per adapter in inventory order; the last one starts selected.
    std::vector<std::u16string> AdapterLines() const;
    int FirstSelection() const { return adapters.Count() - 1; }
    // The details of the adapter at position; empty when there is none.
    std::u16string Details(int position) const;
    std::u16string ProposedName() const;
    // Adds the profile: every adapter, or the one at `selected`. False, after
    // telling the user, when nothing was added; the dialog then closes
    // without a save.
    bool Save(const std::u16string& name, int selected, bool allAdapters);

private:
    CProfileStore& store;
    const CAdapterList& adapters;
    IMessageBox& messages;
    WindowHandle owner = nullptr;
};

// The current-IP dialog: shows an inventory read afresh, saves the main
// window's one, as of its last refresh.
class CCurrentIpModel {
public:
    CCurrentIpModel(CProfileStore& store, const CAdapterList& mainAdapters, IMessageBox& messages);
    // As CBackupModel::SetOwner.
    void SetOwner(WindowHandle window) { owner = window; }

    // Refreshes `own` and returns its details; empty, after telling the
    // user, when no adapter could be read.
    std::u16string ReadDetails(CAdapterList& own);
    // Adds a profile of every adapter; false as CBackupModel::Save.
    bool Save(const std::u16string& name);

private:
    CProfileStore& store;
    const CAdapterList& adapters;
    IMessageBox& messages;
    WindowHandle owner = nullptr;
};
