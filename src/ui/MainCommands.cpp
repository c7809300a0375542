#include "ui/MainCommands.h"
#include "ui/ProgramFiles.h"

#include "ui/QuickMenus.h"
#include "text/DecimalText.h"
#include "text/Utf8.h"
#include "ui/AdapterFailures.h"
#include "ui/Texts.h"

#include <algorithm>

namespace {

constexpr int kMaxTipLength = 800;

const char16_t kNoSelection[] = u"没有选中任何配置!";
const char16_t kApplyFailed[] = u"网络连接失败!请检查是否网线是否已连接!";
const char16_t kSaved[] = u"保存成功!";
const char16_t kSaveLogged[] = u"建立一个新配置文件,备份配置文件成功!";

std::u16string Bracketed(std::u16string_view before, const std::u16string& name, std::u16string_view after)
{
    return std::u16string(before) + name + std::u16string(after);
}

std::vector<const AdapterRecord*> Records(const CAdapterList& adapters)
{
    std::vector<const AdapterRecord*> records;
    for (int i = 0; i < adapters.Count(); ++i)
        records.push_back(adapters.At(i));
    return records;
}

}  // namespace

CMainCommands::CMainCommands(CProfileStore& store, CAdapterList& adapters, CProfileApplier& applier,
                             IAdapterChanger& changer, IMessageBox& messages, COperationLog& log, IFileSystem& files)
    : store(store), adapters(adapters), applier(applier), changer(changer), messages(messages), log(log), files(files)
{
}

void CMainCommands::ReadAtStart()
{
    storeRead = store.Load() != 0;
    adaptersRead = adapters.Refresh();
}

void CMainCommands::TellStartFailures()
{
    if (!storeRead)
        Tell(u"打开配置系统配置文件错误！", kMbOk);
    TellFailures(messages, owner, adapters.Failures());
    if (!adaptersRead)
        Tell(kAdaptersLoadError, kMbOk);
    else if (adapters.Count() == 0)
        Tell(kNoAdapters, kMbOk);
}

void CMainCommands::WriteStartupFacts(const OsVersion& version, const ServiceState& service)
{
    WriteDebugLog(DecimalText(adapters.Count()));
    WriteDebugLog(DecimalText(static_cast<int>(version.major)));
    WriteDebugLog(DecimalText(static_cast<int>(version.minor)));
    WriteDebugLog(ServiceFactsText(service));
}

const std::vector<ProfileRow>& CMainCommands::RefreshRows()
{
    rows.clear();
    const auto& profiles = store.Profiles();
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        const IpProfile& p = *profiles[i];
        rows.push_back({DecimalText(static_cast<int>(i + 1)), p.name, p.dateTime, p.id, p.summary});
    }
    return rows;
}

int CMainCommands::MaxTipLength() const
{
    std::size_t longest = 0;
    for (const ProfileRow& row : rows)
        longest = std::max(longest, row.summary.size());
    return static_cast<int>(std::min<std::size_t>(longest, kMaxTipLength));
}

bool CMainCommands::NeedsRow(int row)
{
    // A row past the end is one the list no longer shows: as good as none.
    if (row >= 0 && static_cast<std::size_t>(row) < rows.size())
        return true;
    Tell(kNoSelection, kMbIconExclamation);
    return false;
}

bool CMainCommands::ApplyRow(int row, IBusyIndicator& busy)
{
    if (!NeedsRow(row))
        return false;
    const ProfileRow picked = rows[static_cast<std::size_t>(row)];
    busy.Begin();
    const ApplyResult result = applier.ApplyProfile(picked.id);
    // Said where the apply stopped, over the wait.
    TellFailures(messages, owner, result.failures);
    if (!result.stop.empty())
        Tell(result.stop, kMbOk | kMbIconStop);
    RefreshAndTell(adapters, messages, owner);
    busy.End();
    const bool applied = result.applied;
    if (applied) {
        std::u16string text = Bracketed(u"应用网络配置[", picked.name, u"]成功!");
        Tell(text, kMbIconInformation);
        WriteSystemLog(text);
    } else {
        Tell(kApplyFailed, kMbIconStop);
        WriteSystemLog(kApplyFailed);
    }
    return applied;
}

int CMainCommands::CommitChanges(CommitKind kind)
{
    if (!store.Save()) {
        Tell(kSaveFailed, kMbIconStop);
        return 0;
    }
    store.Load();
    if (kind == CommitKind::NewProfile || kind == CommitKind::Edited || kind == CommitKind::Captured)
        Tell(kSaved, kMbIconInformation);
    WriteSystemLog(kSaveLogged);
    return 1;
}

ListChange CMainCommands::DeleteRow(int row)
{
    if (!NeedsRow(row))
        return {};
    const ProfileRow picked = rows[static_cast<std::size_t>(row)];
    if (Tell(Bracketed(u"确认要删除配置[", picked.name, u"]吗？"), kMbYesNo | kMbIconQuestion) != kIdYes)
        return {};
    store.DeleteProfile(picked.id);
    // A failed save has told the user; the file still holds the profile, so
    // the log does not say it was deleted.
    if (CommitChanges(CommitKind::Deleted))
        WriteSystemLog(Bracketed(u"删除配置文件[", picked.name, u"]!"));
    int left = static_cast<int>(store.Profiles().size());
    int mark = row > 0 ? row - 1 : (left > 0 ? 0 : -1);
    return {true, mark};
}

ListChange CMainCommands::CopyRow(int row)
{
    if (!NeedsRow(row))
        return {};
    const ProfileRow& picked = rows[static_cast<std::size_t>(row)];
    store.CopyProfile(picked.id, u"复制-" + picked.name);
    CommitChanges(CommitKind::Copied);
    return {true, -1};
}

ListChange CMainCommands::Repair()
{
    if (!store.Repair(Records(adapters)))
        return {};
    Tell(u"修复配置文件成功", kMbOk);
    CommitChanges(CommitKind::Repaired);
    return {true, std::nullopt};
}

ListChange CMainCommands::Import(const std::u16string& path)
{
    if (!store.ImportV1(path)) {
        Tell(u"导入配置文件格式错误!", kMbIconExclamation);
        return {};
    }
    // The old entries name adapters by card and connection name only.
    store.Repair(Records(adapters));
    CommitChanges(CommitKind::Repaired);
    return {true, std::nullopt};
}

void CMainCommands::SwitchAdapter(unsigned id)
{
    std::optional<AdapterItemAction> action = OnAdapterItem(id, static_cast<std::size_t>(adapters.Count()));
    if (!action)
        return;
    const AdapterRecord* adapter = adapters.At(static_cast<int>(action->index));
    bool switched = changer.SetAdapterEnabled(adapter->adapterId, action->mode != 0);
    TellFailures(messages, owner, changer.Failures());
    Tell(AdapterItemResultText(action->mode, switched), kMbOk);
}

ListChange CMainCommands::AfterDialogSaved(CommitKind kind)
{
    CommitChanges(kind);
    return {true, -1};
}

bool CMainCommands::WriteSettingsCopy(const std::u16string& path)
{
    if (files.WriteAll(path, Utf16ToUtf8(store.Document().DocText())))
        return true;
    Tell(kSaveFailed, kMbIconStop);
    return false;
}

std::u16string RowCellText(const std::vector<ProfileRow>& rows, int row, int column)
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return {};
    const ProfileRow& shown = rows[static_cast<std::size_t>(row)];
    switch (column) {
    case 1: return shown.number;
    case 2: return shown.name;
    case 3: return shown.dateTime;
    default: return {};
    }
}

std::u16string RowTipText(const std::vector<ProfileRow>& rows, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? rows[static_cast<std::size_t>(row)].summary
                                                                    : std::u16string();
}

ShellRequest HelpRequest(const std::u16string& manualPath, const std::u16string& windowsFolder)
{
    return ShellRequest{u"open", windowsFolder + u"\\hh.exe", CommandLineArgument(manualPath)};
}
