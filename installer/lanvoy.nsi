; Lanvoy setup: installs lanvoy.exe, the manual and the distributed
; configuration into Program Files, with Start-menu entries, an optional
; desktop icon and an uninstaller. A user's lanvoy.cfg and logs are never
; overwritten or removed.
;
; makensis -DVERSION=<x.y.z> -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe>
;          [-DSIGN=<command that signs the file %1>] lanvoy.nsi
; STAGE holds lanvoy.exe, Lanvoy使用手册.chm, lanvoy.cfg, readme.txt and lanvoy.ico.
;
; Switches: /S silent, /NODESKTOP no desktop icon, /D=<folder> (last) the folder.
; The uninstaller's silent run "uninstall.exe /S _?=<folder>", as registered,
; waits for the removal and exits 0 when it is done, 2 when Lanvoy runs.

Unicode true
; A 64-bit setup for a 64-bit program: it runs where the program runs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef STAGE
  !error "STAGE is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "lanvoy-${VERSION}-setup.exe"
!endif
; The uninstaller is written into the setup at build time; signing it there
; is the only chance, and the setup is signed once it is complete.
!ifdef SIGN
  !uninstfinalize '${SIGN}' = 0
  !finalize '${SIGN}' = 0
!endif

!define PRODUCT "Lanvoy"
!define PUBLISHER "Lanvoy"
!define MANUAL "Lanvoy使用手册.chm"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lanvoy"
; The start-with-Windows value that the program's settings create.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Lanvoy(CORVELL STUDIO)"
; The running program holds this mutex; its files cannot be replaced meanwhile.
!define MUTEX "Lanvoy-Good"

!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© 2026 ${PUBLISHER}"

!define MUI_ICON "${STAGE}\lanvoy.ico"
!define MUI_UNICON "${STAGE}\lanvoy.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\lanvoy.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Asks the user to end a running Lanvoy; a silent run gives up at once.
!macro WaitForProgramEnd
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0'
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Lanvoy 正在运行。请先从托盘菜单选择“退出”，再按“重试”。" /SD IDCANCEL IDRETRY +3
    SetErrorLevel 2
    Abort
  ${Loop}
!macroend

Section "Lanvoy 程序和使用手册" SecProgram
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\lanvoy.exe"
  File "${STAGE}\${MANUAL}"
  File "${STAGE}\readme.txt"
  ; The configuration holds the user's profiles: only a first install puts
  ; the distributed one (with its DNS providers) in place.
  SetOverwrite off
  File "${STAGE}\lanvoy.cfg"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Lanvoy.lnk" "$INSTDIR\lanvoy.exe" "" "$INSTDIR\lanvoy.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Lanvoy 使用手册.lnk" "$INSTDIR\${MANUAL}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\卸载 Lanvoy.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lanvoy.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; With "_?=" the uninstaller runs where it is, copies itself away and waits
  ; for that copy, so whoever runs these gets the outcome as the exit code.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" _?=$INSTDIR'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "桌面快捷方式" SecDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\Lanvoy.lnk" "$INSTDIR\lanvoy.exe" "" "$INSTDIR\lanvoy.exe" 0
SectionEnd

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Lanvoy ${VERSION} 需要 64 位 Windows。" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  ; An upgrade goes where the earlier release went, unless /D says otherwise.
  ${If} $INSTDIR == "$PROGRAMFILES64\${PRODUCT}"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
  ; /NODESKTOP: no desktop icon, also for a silent install.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NODESKTOP" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDesktop} 0
  ${EndIf}
  !insertmacro WaitForProgramEnd
FunctionEnd

Var UnCopyDir

; Started inside the installation folder (with "_?=", as registered) the
; uninstaller runs a copy of itself from a folder of its own under %TEMP%,
; waits for it, passes its exit code on and removes the copy, so whoever
; started it learns the outcome. Started elsewhere (that copy, or the copy
; NSIS makes when there is no "_?=") it does the removal itself.
Function un.onInit
  SetRegView 64
  ${If} $EXEDIR == $INSTDIR
    GetTempFileName $UnCopyDir
    Delete $UnCopyDir
    CreateDirectory $UnCopyDir
    ClearErrors
    CopyFiles /SILENT "$EXEPATH" "$UnCopyDir\uninstall.exe"
    ${If} ${Errors}
      SetErrorLevel 1
      Quit
    ${EndIf}
    StrCpy $1 ""
    ${If} ${Silent}
      StrCpy $1 "/S "
    ${EndIf}
    ClearErrors
    ExecWait '"$UnCopyDir\uninstall.exe" $1_?=$INSTDIR' $0
    ${If} ${Errors}
    ${OrIf} $0 == ""
      StrCpy $0 1
    ${EndIf}
    Delete "$UnCopyDir\uninstall.exe"
    RMDir $UnCopyDir
    ; What the copy could not remove is this program's own file, which stays
    ; open while it runs: the command processor removes it two seconds after
    ; (ping is its only way to wait), then the folder if nothing of the
    ; user's is left in it; should that fail, Windows does at the next start.
    ${If} $0 = 0
      Delete /REBOOTOK "$INSTDIR\uninstall.exe"
      RMDir /REBOOTOK "$INSTDIR"
      SetRebootFlag false
      SetOutPath $TEMP
      ExecShell "" "$SYSDIR\cmd.exe" '/d /q /c ping -n 3 127.0.0.1 >nul & del /f /q "$INSTDIR\uninstall.exe" & rmdir "$INSTDIR"' SW_HIDE
    ${EndIf}
    SetErrorLevel $0
    Quit
  ${EndIf}
  !insertmacro WaitForProgramEnd
FunctionEnd

; Only what the setup put there goes: lanvoy.cfg, config.xml, the logs and
; lanvoy.version stay with the user's profiles, and so does the folder then.
Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\lanvoy.exe"
  Delete "$INSTDIR\${MANUAL}"
  Delete "$INSTDIR\readme.txt"
  ; Started by the uninstaller in the folder, which waits for this copy, that
  ; one stays until it has ended (see un.onInit).
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; Whatever of the program could not go is reported in the exit code.
  ${If} ${FileExists} "$INSTDIR\lanvoy.exe"
  ${OrIf} ${FileExists} "$INSTDIR\${MANUAL}"
    DetailPrint "未能删除 $INSTDIR 中的全部程序文件。"
    SetErrorLevel 1
  ${EndIf}

  Delete "$SMPROGRAMS\${PRODUCT}\Lanvoy.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Lanvoy 使用手册.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\卸载 Lanvoy.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$DESKTOP\Lanvoy.lnk"

  ; A start with Windows would point at a program that is gone: the sign-in
  ; task, and the Run value of an earlier version.
  nsExec::Exec '"$SYSDIR\schtasks.exe" /Delete /TN "${RUN_VALUE}" /F'
  Pop $0
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
