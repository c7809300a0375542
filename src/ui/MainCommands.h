#pragma once
// What the main window's commands do to the profiles, the network, the logs
// and the user, without a window. The window reads the marked row, asks this
// model, and then refreshes its list and marks the row the answer names.

#include "engine/ProfileApply.h"
#include "net/AdapterList.h"
#include "platform/MessageBox.h"
#include "store/ProfileStore.h"
#include "ui/ChangeRoute.h"
#include "ui/OperationLog.h"

#include <optional>
#include <string>
#include <vector>

// What a save after a change was for; new, edited and captured profiles are
// confirmed to the user.
enum class CommitKind { NewProfile = 0, Edited = 1, Captured = 2, Deleted = 3, Copied = 4, Repaired = 5 };

// Row r of the profile list shows profile r of the store.
struct ProfileRow {
    std::u16string number;    // column 1: r + 1
    std::u16string name;      // column 2
    std::u16string dateTime;  // column 3
    std::u16string id;        // the profile the row stands for
    std::u16string summary;   // the row's tip
};

// What the list shows of a row: a cell's text (the picture's column 0 has
// none), and the row's tip; empty for a row that is not there.
std::u16string RowCellText(const std::vector<ProfileRow>& rows, int row, int column);
std::u16string RowTipText(const std::vector<ProfileRow>& rows, int row);

// Shown while an apply runs: the window's wait dialog, painted before the
// apply starts and closed before its result is shown.
class IBusyIndicator {
public:
    virtual ~IBusyIndicator() = default;
    virtual void Begin() = 0;
    virtual void End() = 0;
};

// What the window does to its list after a command.
struct ListChange {
    bool refresh = false;     // rebuild the rows from the store
    std::optional<int> mark;  // then mark this row (-1 none); unchanged when empty
};

class CMainCommands {
public:
    CMainCommands(CProfileStore& store, CAdapterList& adapters, CProfileApplier& applier, IAdapterChanger& changer,
                  IMessageBox& messages, COperationLog& log, IFileSystem& files);

    // The window the boxes belong to, named by that window once it exists.
    void SetOwner(WindowHandle window) { owner = window; }

    // Loading the configuration and the inventory when the window opens:
    // the reading shows nothing, so that it may run on another thread while
    // the window is built; the window's thread then tells what went wrong.
    void ReadAtStart();
    void TellStartFailures();
    void LoadAtStart()
    {
        ReadAtStart();
        TellStartFailures();
    }
    // The "-debug" facts: adapter count, OS major and minor version, and
    // whether the service answered, its version and how much it has served.
    void WriteStartupFacts(const OsVersion& version, const ServiceState& service);

    // The rows of the store's profiles as last loaded; RefreshRows rebuilds them.
    const std::vector<ProfileRow>& RefreshRows();
    const std::vector<ProfileRow>& Rows() const { return rows; }
    // The tip length the list needs: the longest summary, at most 800.
    int MaxTipLength() const;

    // False, after telling the user, when no profile row is marked.
    bool NeedsRow(int row);

    bool ApplyRow(int row, IBusyIndicator& busy);
    int CommitChanges(CommitKind kind);
    // Each asks what it must (delete asks to confirm) and does nothing
    // without a marked row beyond saying so.
    ListChange DeleteRow(int row);
    ListChange CopyRow(int row);
    ListChange Repair();
    // A 1.x configuration the user picked: its profiles added and repaired.
    ListChange Import(const std::u16string& path);
    // The tray's enable and disable items.
    void SwitchAdapter(unsigned id);
    // A dialog stored a new, edited or captured profile: save it, then show
    // the list afresh with no row marked.
    ListChange AfterDialogSaved(CommitKind kind);
    // The settings dialog's extra copy of the configuration, "config.xml";
    // false, after telling the user, when it cannot be written.
    bool WriteSettingsCopy(const std::u16string& path);

    void WriteSystemLog(std::u16string_view text) { log.WriteSystemLog(text, store.logFlag != 0); }
    void WriteDebugLog(std::u16string_view text) { log.WriteDebugLog(text, debug); }
    bool debug = false;

private:
    int Tell(const std::u16string& text, std::uint32_t style)
    {
        return messages.Show(owner, text, kMessageCaption, style);
    }

    CProfileStore& store;
    CAdapterList& adapters;
    CProfileApplier& applier;
    IAdapterChanger& changer;
    IMessageBox& messages;
    WindowHandle owner = nullptr;
    COperationLog& log;
    IFileSystem& files;
    std::vector<ProfileRow> rows;
    bool storeRead = true;
    std::int32_t adaptersRead = 0;
};

// The help command: the manual in the help viewer, started from the Windows
// folder by its full path (an elevated run must not pick up another hh.exe).
ShellRequest HelpRequest(const std::u16string& manualPath, const std::u16string& windowsFolder);
