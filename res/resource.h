#pragma once
// Every resource and command ID of Lanvoy, as plain numbers: the .rc scripts,
// the window code, the models in src/ui and their native tests share them.
// No <windows.h> here, so the portable build can include this file.

// ---- Dialogs ---------------------------------------------------------------
#define IDD_ABOUTBOX                100     // About box
#define IDD_PROFILE                 130     // profile editor "IP方案设置"
#define IDD_BACKUP                  132     // "备份当前IP"
#define IDD_MAIN                    137     // main window "Lanvoy"
#define IDD_CURRENT_IP              144     // "电脑当前IP配置信息"
#define IDD_SETTINGS                145     // "系统设置"
#define IDD_WAIT                    169     // modeless "请稍候...." during an apply

// ---- Menus and toolbar -----------------------------------------------------
#define IDR_MAINMENU                133     // menu bar of the main window
#define IDR_TRAYMENU                143     // tray menu: sub-menu 0 "弹出菜单"
#define IDR_LISTMENU                167     // profile list menu: sub-menu 0 "编辑菜单"
#define IDR_TOOLBAR                 138     // main toolbar, ten positions

// Resource type of the toolbar layout: WORD version 1, WORD button width,
// WORD button height, WORD count, then count command IDs (0 = separator).
#define RT_TOOLBAR_TYPE             241

// Position of "选项(&O)" in the menu bar; the adapter sub-menus go into it.
#define MAINMENU_OPTIONS_POS        2

// ---- Icons (order in the executable matters: shortcuts use index 2) -------
#define IDI_APP                     128     // application, windows and tray
#define IDI_PROFILE                 155     // image of every profile row
#define IDI_SHORTCUT                207     // desktop shortcuts, icon index 2

// ---- Toolbar bitmaps: normal and disabled image per button -----------------
#define IDB_APPLY                   171     // 32777
#define IDB_PROPERTIES              172     // 32804
#define IDB_ABOUT                   173     // 32773
#define IDB_HELP                    174     // 32775
#define IDB_NEW                     175     // 32803
#define IDB_DELETE                  176     // 32795
#define IDB_COPY                    177     // not on the toolbar
#define IDB_DONATE                  178     // 32797
#define IDB_EDIT                    179     // 32776
#define IDB_DONATE_DISABLED         180
#define IDB_ABOUT_DISABLED          181
#define IDB_NEW_DISABLED            182
#define IDB_DELETE_DISABLED         183
#define IDB_EDIT_DISABLED           184
#define IDB_HELP_DISABLED           185
#define IDB_PROPERTIES_DISABLED     186
#define IDB_COPY_DISABLED           187
#define IDB_APPLY_DISABLED          188

// The toolbar's pictures side by side, one strip per drawn size (16, 20, 24,
// 32, 40, 48 and 64 pixels, in that order), normal and greyed.
// Consecutive by size, so a size's index finds its strip.
#define IDB_TOOLBAR_16             300
#define IDB_TOOLBAR_20             301
#define IDB_TOOLBAR_24             302
#define IDB_TOOLBAR_32             303
#define IDB_TOOLBAR_40             304
#define IDB_TOOLBAR_48             305
#define IDB_TOOLBAR_64             306
#define IDB_TOOLBAR_16_DISABLED    310
#define IDB_TOOLBAR_20_DISABLED    311
#define IDB_TOOLBAR_24_DISABLED    312
#define IDB_TOOLBAR_32_DISABLED    313
#define IDB_TOOLBAR_40_DISABLED    314
#define IDB_TOOLBAR_48_DISABLED    315
#define IDB_TOOLBAR_64_DISABLED    316

// ---- Strings (besides the command prompts, keyed by command ID) -----------
#define IDS_ABOUTBOX                101     // system-menu item "关于 Lanvoy(&A)..."

// System-menu item that opens the About box (low four bits are masked off).
#define IDM_ABOUTBOX                0x0010

// ---- Tray icon -------------------------------------------------------------
#define TRAY_ICON_UID               129     // uID of the notify-icon record
#define TRAY_CALLBACK_OFFSET        1       // callback message is WM_USER + 1

// ---- Commands (menus, toolbar, tray and string table) ----------------------
#define ID_OPEN_MAIN_WINDOW         32771   // "打开主界面"
#define ID_APP_EXIT                 32772   // "退出(&X)"
#define ID_APP_ABOUT                32773   // "关于(&A)"
#define ID_HELP_MANUAL              32775   // "帮助"
#define ID_PROFILE_EDIT             32776   // "修改..."
#define ID_PROFILE_APPLY            32777   // "启用(&A)"
#define ID_BACKUP                   32778   // "备份电脑IP..."
#define ID_SETTINGS                 32789   // "系统设置(&S)"
#define ID_VIEW_LOG                 32790   // "查看日志"
#define ID_CURRENT_IP               32793   // "查看当前IP..."
#define ID_PROFILE_DELETE           32795   // "删除(&D)"
#define ID_PROFILE_COPY             32796   // "复制(&C)"
#define ID_DONATE                   32797   // "捐助.."
#define ID_PROFILE_NEW              32803   // "新建(&N)..."
#define ID_PROFILE_PROPERTIES       32804   // "属性..."
#define ID_REPAIR                   32811   // "修复配置文件"
#define ID_PROFILE_SHORTCUT         32812   // "建立快捷方式"
#define ID_IMPORT_V1                32813   // "导入1.x配置..."

// Quick-menu ranges: the item for row j, or adapter i, is FIRST + j (or i).
#define ID_APPLY_FIRST              1524    // apply the profile of a row
#define ID_APPLY_LAST               2024    // end of the routed range (2023 is the last used)
#define ID_ENABLE_FIRST             2025    // enable an adapter
#define ID_ENABLE_LAST              2044
#define ID_DISABLE_FIRST            2045    // disable an adapter
#define ID_DISABLE_LAST             2064

// Greyed stand-ins when there is no adapter or no profile; no command uses them.
#define ID_TRAY_DISABLE_NONE        150001
#define ID_TRAY_ENABLE_NONE         160001
#define ID_OPTIONS_DISABLE_NONE     150002
#define ID_OPTIONS_ENABLE_NONE      160002
#define ID_TRAY_APPLY_NONE          150003

// ---- Controls: main window and wait dialog ---------------------------------
#define IDC_STATUSBAR               100     // status bar child of the main window
#define IDC_PROFILE_LIST            1007    // profile list (report view)
#define IDC_WAIT_PROGRESS           1058    // progress bar of the wait dialog

// ---- Controls: profile editor ----------------------------------------------
#define IDC_PROFILE_IP              1004
#define IDC_PROFILE_NAME            1012
#define IDC_PROFILE_MASK            1014
#define IDC_PROFILE_GATEWAY         1015
#define IDC_PROFILE_DNS1            1016
#define IDC_PROFILE_DNS2            1017
#define IDC_PROFILE_MODE_DHCP       1026    // "自动获取"
#define IDC_PROFILE_DISABLE         1027    // "禁用网卡"
#define IDC_PROFILE_MODE_MANUAL     1028    // "手动输入"
#define IDC_PROFILE_DNS_LIST        1035    // public DNS providers
#define IDC_PROFILE_MODE_NONE       1045    // "不配置", first of the radio group
#define IDC_PROFILE_TABS            1046    // one tab per adapter
#define IDC_PROFILE_DNS_AUTO        1049    // DNS "自动获取"

// ---- Controls: backup dialog -----------------------------------------------
#define IDC_BACKUP_NAME             1012
#define IDC_BACKUP_DETAILS          1017
#define IDC_BACKUP_ADAPTER          1021
#define IDC_BACKUP_ADAPTER_LABEL    1022
#define IDC_BACKUP_ALL              1043    // "备份所有网卡"
#define IDC_BACKUP_OTHERS_DHCP      1044    // shown and read, not acted on

// ---- Controls: current-IP dialog -------------------------------------------
#define IDC_CURRENT_IP_DETAILS      1038
#define IDC_CURRENT_IP_NAME         1039

// ---- Controls: settings dialog ---------------------------------------------
#define IDC_SETTINGS_AUTORUN        1041
#define IDC_SETTINGS_LOG            1042
#define IDC_SETTINGS_UPDATE         1047

// ---- Controls: About box ---------------------------------------------------
#define IDC_ABOUT_DONATE            3       // "捐赠"
#define IDC_ABOUT_THANKS            1019    // acknowledgement list
#define IDC_ABOUT_HOMEPAGE          1048    // the maker's web address

// The project's web server: the caption of the About box's home-page button
// and the host of the donation and home pages.
#define LANVOY_WEB_HOST             "lanvoy.net"
