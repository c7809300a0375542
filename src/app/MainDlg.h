#pragma once
// The main window: the profile list with its menu bar, toolbar, status bar
// and tray icon. It routes every command to the model of the commands and
// shows the answers; the store and the inventory live as long as it does.

#include "app/MainPictures.h"
#include "app/TrayIcon.h"
#include "controls/Bars.h"
#include "controls/Dialog.h"
#include "controls/Handles.h"
#include "controls/Menu.h"
#include "controls/ProfileListCtrl.h"
#include "engine/ProfileApply.h"
#include "net/AdapterList.h"
#include "platform/Shell.h"
#include "platform/MessageBox.h"
#include "store/ProfileStore.h"
#include "ui/CommandLine.h"
#include "ui/MainCommands.h"
#include "ui/OperationLog.h"
#include "ui/ProgramFiles.h"
#include "ui/UpdateCheck.h"

#include <future>
#include <optional>
#include <string>
#include <thread>

// What the window reaches the system through, created once at start-up.
struct MainServices {
    NetPlatform net;
    IAdapterChanger& changer;  // the service, or this process
    ServiceState service;      // what the service said at start
    StoreEnvironment storage;
    IMessageBox& messages;
    IShell& shell;
    CommandLine commandLine;
    ProgramFiles paths;
};

class CMainDlg : public CDialogBase {
public:
    explicit CMainDlg(const MainServices& services);
    ~CMainDlg() override;

    void RefreshList();
    void UpdateCommandStates();
    bool ApplyRow(int row);
    void BuildQuickMenus();
    const CTrayIcon& TrayIcon() const { return tray; }

protected:
    bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT* result) override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, NMHDR* header, LRESULT* result) override;
    bool PreTranslate(MSG& message) override;
    void OnDpiChanged(UINT newDpi) override;
    // The tray icon's size in pixels, for the taskbar's scale now.
    virtual int TrayIconSize() const;

private:
    void StartReading();
    StartPictures TakeStartPictures();
    void FinishReading();
    void AddAboutToSystemMenu();
    void AddTrayIcon();
    void FitTrayIcon();
    void OnTaskbarCreated();
    void CreateBars(MainPictures& pictures);
    void SetToolBarPictures(MainPictures& pictures);
    void LayOutToolBar();
    void LayOutStatusBar();
    void SetUpList(CImageListHolder rows);
    void SetRowImages(CImageListHolder rows);
    void OnListNotify(NMHDR* header);
    void OnRowClick();
    void OnRowDoubleClick();
    void OnRowRightClick();
    void OnTrayCallback(LPARAM mouse);
    void OnOpenMainWindow();
    void OnSysCommand(WPARAM command, bool* handled);
    void ShowContextMenu(CMenu menu);
    void Apply(const ListChange& change);
    void ShowPrompt(const std::u16string& text);
    void ShowAbout();
    void OnImportV1();
    void OpenEditor(int command, int marked);
    void OnDestroy();
    void OnUpdateDownloaded(bool finished, DownloadNotice notice);
    void OnPaint();
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void OnSetCursor(HWND over);
    bool OnButtonTipRequest(NMTTDISPINFOW& info);
    void OnHotButtonChange(const NMTBHOTITEM& hot);
    bool OnQuickItem(unsigned id);
    void OnProfileShortcut(int marked);
    void OpenSystemDialog(int command);

    MainServices services;
    CTrayIcon tray;
    CStatusBar statusBar;
    CAdapterList adapters;
    CProfileStore store;
    CProfileApplier applier;
    COperationLog log;
    CMainCommands commands;
    CUpdateCheck updateCheck;
    std::thread reader;  // the first pictures, the profiles and the adapters, made while the window is built
    std::future<StartPictures> startPictures;
    CToolBar toolBar;
    CImageListHolder toolImages, toolImagesDisabled, rowImages;
    CMenuHolder trayMenuResource, listMenuResource;
    CMenu trayMenu, listMenu;
    CProfileListCtrl list;
    std::u16string prompt;
    int visible = 1;
    UINT dpi = 96;
    UINT taskbarCreated = 0;
    int trayIconSize = 0;  // the tray icon's pixels, for the taskbar's scale
};
