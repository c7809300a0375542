; Lanvoy setup: installs lanvoy.exe, the service that makes its adapter
; changes, and the manual into Program Files, with Start-menu entries, an
; optional desktop icon and an uninstaller. What the program writes lives in
; the data folder (%ProgramData%\Lanvoy), which standard users may change but
; run nothing from; the distributed configuration goes there when none is,
; and an earlier version's files move there from the program's folder. A
; user's lanvoy.cfg and logs are never overwritten or removed.
;
; makensis -DVERSION=<x.y.z> -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe>
;          -DTIDY=<uninstall-tidy.exe> [-DSIGN=<tools/sign.sh, which signs:
;          --as <name> <file>>] lanvoy.nsi
; STAGE holds lanvoy.exe, Lanvoy使用手册.chm, lanvoy.cfg, readme.txt and
; lanvoy.ico, and lanvoy-service.exe once it is built: without it the setup
; installs no service.
;
; Switches: /S silent, /NODESKTOP no desktop icon, /ADMINSONLY the service
; answers Administrators and Network Configuration Operators only,
; /D=<folder> (last) the folder. Exit codes: 0 installed; 1 failed, a file
; could not be written; 2 Lanvoy runs (in any session) or its program is in
; use, nothing changed; 3 the rights of a folder outside Program Files could
; not be set. The uninstaller's silent run "uninstall.exe /S _?=<folder>", as
; registered, waits for the removal and exits 0 when it is done, 2 when
; Lanvoy runs or a file of the program is in use (nothing removed), 1 when a
; file could not go (the uninstall entry stays).

Unicode true
; A 64-bit setup for a 64-bit program: it runs where the program runs.
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the package: a build a day later gives the same bytes.
SetDateSave off
RequestExecutionLevel admin
; A file that cannot be written fails the installation: skipped, the old
; program would stay under the new version's entry.
AllowSkipFiles off

!include "${__FILEDIR__}\names.nsh"

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef STAGE
  !error "STAGE is not defined"
!endif
!ifndef TIDY
  !error "TIDY (uninstall-tidy.exe, built from uninstall-tidy.c) is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "lanvoy-${VERSION}-setup.exe"
!endif
; The uninstaller is written into the setup at build time; signing it there
; is the only chance, and the setup is signed once it is complete.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" --as uninstall.exe "%1"' = 0
  !finalize '"${SIGN}" --as "lanvoy-${VERSION}-setup.exe" "%1"' = 0
!endif

!define PRODUCT "Lanvoy"
!define PUBLISHER "Lanvoy"
!define MANUAL "Lanvoy使用手册.chm"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${SETUP_PRODUCT_CODE}"
; Earlier versions started with Windows from this machine-wide value and a
; sign-in task of the same name; an installed copy now uses each user's own
; Run value, which needs no rights.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "${TASK_NAME}"
; What the program reads to know it is the installed copy, and where its files are.
!define INSTALL_KEY "Software\Lanvoy"
!define SERVICE_NAME "LanvoyService"
!define SERVICE_DISPLAY "Lanvoy Network Service"
!define SERVICE_EXE "lanvoy-service.exe"
!define EVENT_KEY "SYSTEM\CurrentControlSet\Services\EventLog\Application\Lanvoy"
!if /FileExists "${STAGE}\${SERVICE_EXE}"
  !define HAVE_SERVICE
!endif
; The program's folder: only administrators change it, users read and run.
!define PROGRAM_ACCESS "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"
; The data folder: users change its files but run nothing from it (modify
; without execute).
!define DATA_ACCESS "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x13019f;;;BU)"

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

; Gives a folder and what inherits from it this access list (SDDL), cut off
; from its parent's; $0 is 0 when done.
!macro SetAccess FOLDER SDDL
  StrCpy $0 1
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${SDDL}", i 1, *p .r1, p 0) i .r2'
  ${If} $2 <> 0
    System::Call 'advapi32::GetSecurityDescriptorDacl(p r1, *i .r2, *p .r3, *i .r4) i .r5'
    ${If} $5 <> 0
      ; DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION
      System::Call 'advapi32::SetNamedSecurityInfoW(w "${FOLDER}", i 1, i 0x80000004, p 0, p 0, p r3, p 0) i .r0'
    ${EndIf}
    System::Call 'kernel32::LocalFree(p r1)'
  ${EndIf}
!macroend

; Stops the service and waits until it has (at most 30 seconds), so that its
; file can be replaced or removed; nothing when it is not installed.
!macro StopService
  System::Call 'advapi32::OpenSCManagerW(p 0, p 0, i 0x1) p .r8'
  ${If} $8 P<> 0
    ; SERVICE_STOP | SERVICE_QUERY_STATUS
    System::Call 'advapi32::OpenServiceW(p r8, w "${SERVICE_NAME}", i 0x24) p .r9'
    ${If} $9 P<> 0
      System::Call '*(i, i, i, i, i, i, i) p .r7'
      System::Call 'advapi32::ControlService(p r9, i 1, p r7) i .r6'
      StrCpy $5 0
      ${Do}
        System::Call 'advapi32::QueryServiceStatus(p r9, p r7) i .r6'
        System::Call '*$7(i, i .r4)'
        ${If} $6 = 0
        ${OrIf} $4 = 1
          ${Break}
        ${EndIf}
        Sleep 250
        IntOp $5 $5 + 1
      ${LoopUntil} $5 >= 120
      System::Free $7
      System::Call 'advapi32::CloseServiceHandle(p r9)'
    ${EndIf}
    System::Call 'advapi32::CloseServiceHandle(p r8)'
  ${EndIf}
!macroend

; Earlier versions' start with Windows: the machine-wide task and Run value.
!macro RemoveOldAutorun
  nsExec::Exec '"$SYSDIR\schtasks.exe" /Delete /TN "${RUN_VALUE}" /F'
  Pop $0
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
!macroend

; An earlier version's file in the program's folder moves to the data folder,
; unless the data folder has one already.
!macro MoveToData NAME
  ${If} ${FileExists} "$INSTDIR\${NAME}"
  ${AndIfNot} ${FileExists} "$DataDir\${NAME}"
    ClearErrors
    Rename "$INSTDIR\${NAME}" "$DataDir\${NAME}"
    ${If} ${Errors}
      ; Another drive: copy, and drop the original only once the copy is there.
      CopyFiles /SILENT "$INSTDIR\${NAME}" "$DataDir\${NAME}"
      ${If} ${FileExists} "$DataDir\${NAME}"
        Delete "$INSTDIR\${NAME}"
      ${EndIf}
    ${EndIf}
  ${EndIf}
!macroend

; $0 = 1 when the mutex is there: open, or there but closed to us.
!macro MutexThere NAME
  StrCpy $0 0
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${NAME}") p .r1 ?e'
  Pop $2
  ${If} $1 P<> 0
    System::Call 'kernel32::CloseHandle(p r1)'
    StrCpy $0 1
  ${ElseIf} $2 = 5
    StrCpy $0 1
  ${EndIf}
!macroend

; $0 = 1 when a file is there and cannot be had alone with this access (it
; is in use, or its rights refuse it).
!macro FileBusy PATH ACCESS
  StrCpy $0 0
  ${If} ${FileExists} "${PATH}"
    ; OPEN_EXISTING, no sharing
    System::Call 'kernel32::CreateFileW(w "${PATH}", i ${ACCESS}, i 0, p 0, i 3, i 0x80, p 0) p .r1'
    ${If} $1 P= -1
      StrCpy $0 1
    ${Else}
      System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
  ${EndIf}
!macroend
!define WRITE_ACCESS 0x40000000
!define DELETE_ACCESS 0x00010000

; Asks the user to end a running Lanvoy, seen from any session (earlier
; versions only in their own); a silent run gives up at once with 2.
!macro WaitForProgramEnd
  ${Do}
    !insertmacro MutexThere "${RUNNING_MUTEX}"
    ${If} $0 = 0
      !insertmacro MutexThere "${SESSION_MUTEX}"
    ${EndIf}
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Lanvoy 正在运行（也可能在其他用户的会话中）。请先从托盘菜单选择“退出”，再按“重试”。" /SD IDCANCEL IDRETRY +3
    SetErrorLevel 2
    Abort
  ${Loop}
!macroend

; Gives up with 2 while the file is in use (a copy of Lanvoy started in a way
; no mutex shows, or another program holding it), before anything changes.
!macro WaitForFile PATH ACCESS
  ${Do}
    !insertmacro FileBusy "${PATH}" "${ACCESS}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "文件 ${PATH} 正在使用中。请关闭使用它的程序，再按“重试”。" /SD IDCANCEL IDRETRY +3
    SetErrorLevel 2
    Abort
  ${Loop}
!macroend

Var DataDir

Section "Lanvoy 程序和使用手册" SecProgram
  SectionIn RO
  SetShellVarContext all
  ; Nothing changes until the program may be replaced: it may have been
  ; started while the pages were open, and the folder may be another now.
  !insertmacro WaitForProgramEnd
  !insertmacro WaitForFile "$INSTDIR\lanvoy.exe" ${WRITE_ACCESS}
  ; The service runs as SYSTEM from this folder: outside Program Files, whose
  ; rights are already right, only administrators may change it.
  CreateDirectory "$INSTDIR"
  StrLen $1 "$PROGRAMFILES64\"
  StrCpy $2 "$INSTDIR\" $1
  StrLen $1 "$PROGRAMFILES32\"
  StrCpy $3 "$INSTDIR\" $1
  ${If} $2 != "$PROGRAMFILES64\"
  ${AndIf} $3 != "$PROGRAMFILES32\"
    !insertmacro SetAccess "$INSTDIR" "${PROGRAM_ACCESS}"
    ${If} $0 <> 0
      MessageBox MB_OK|MB_ICONSTOP "无法设置文件夹 $INSTDIR 的权限（错误 $0）。Lanvoy 的服务以系统权限运行，它所在的文件夹必须只有管理员能修改。请选择 Program Files 中的文件夹。" /SD IDOK
      SetErrorLevel 3
      Abort
    ${EndIf}
  ${EndIf}

  ; The running service holds its file.
  !insertmacro StopService
!ifdef HAVE_SERVICE
  ; Still held once stopped: start it again and change nothing more.
  !insertmacro FileBusy "$INSTDIR\${SERVICE_EXE}" ${WRITE_ACCESS}
  ${If} $0 = 1
    nsExec::ExecToLog '"$SYSDIR\sc.exe" start ${SERVICE_NAME}'
    Pop $0
    DetailPrint "$INSTDIR\${SERVICE_EXE} 正在使用中。"
    SetErrorLevel 2
    Abort
  ${EndIf}
!endif
  SetOutPath "$INSTDIR"
  File "${STAGE}\lanvoy.exe"
  File "${STAGE}\${MANUAL}"
  File "${STAGE}\readme.txt"
!ifdef HAVE_SERVICE
  File "${STAGE}\${SERVICE_EXE}"
!endif

  ; The data folder, with an earlier version's files from the program's
  ; folder; the configuration holds the user's profiles: only when there is
  ; none does the distributed one (with its DNS providers) go there.
  StrCpy $DataDir "$APPDATA\Lanvoy"
  CreateDirectory "$DataDir"
  !insertmacro MoveToData "lanvoy.cfg"
  !insertmacro MoveToData "config.xml"
  !insertmacro MoveToData "system.log"
  !insertmacro MoveToData "debug.log"
  !insertmacro MoveToData "lanvoy.version"
  SetOutPath "$DataDir"
  SetOverwrite off
  File "${STAGE}\lanvoy.cfg"
  SetOverwrite on
  ; Last, so that the moved files take the folder's rights too.
  !insertmacro SetAccess "$DataDir" "${DATA_ACCESS}"
  ${If} $0 <> 0
    DetailPrint "未能设置 $DataDir 的权限（错误 $0）。"
  ${EndIf}
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${INSTALL_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${INSTALL_KEY}" "DataDir" "$DataDir"
  ; Once restricted, the pipe stays so through upgrades until Lanvoy is removed.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ADMINSONLY" $1
  ${IfNot} ${Errors}
    WriteRegStr HKLM "${INSTALL_KEY}" "PipeAccess" "admins"
  ${EndIf}

!ifdef HAVE_SERVICE
  ; A quoted path: unquoted, a path with blanks is a way to run another program.
  nsExec::ExecToLog '"$SYSDIR\sc.exe" create ${SERVICE_NAME} binPath= "\"$INSTDIR\${SERVICE_EXE}\"" start= auto DisplayName= "${SERVICE_DISPLAY}"'
  Pop $0
  ${If} $0 <> 0
    ; There from an earlier installation, perhaps in another folder.
    nsExec::ExecToLog '"$SYSDIR\sc.exe" config ${SERVICE_NAME} binPath= "\"$INSTDIR\${SERVICE_EXE}\"" start= auto DisplayName= "${SERVICE_DISPLAY}"'
    Pop $0
  ${EndIf}
  nsExec::ExecToLog '"$SYSDIR\sc.exe" failure ${SERVICE_NAME} reset= 86400 actions= restart/5000/restart/5000/restart/60000'
  Pop $0
  WriteRegExpandStr HKLM "${EVENT_KEY}" "EventMessageFile" "$INSTDIR\${SERVICE_EXE}"
  WriteRegDWORD HKLM "${EVENT_KEY}" "TypesSupported" 7
  nsExec::ExecToLog '"$SYSDIR\sc.exe" start ${SERVICE_NAME}'
  Pop $0
!endif
  !insertmacro RemoveOldAutorun

  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Lanvoy.lnk" "$INSTDIR\lanvoy.exe" "" "$INSTDIR\lanvoy.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Lanvoy 使用手册.lnk" "$INSTDIR\${MANUAL}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\卸载 Lanvoy.lnk" "$INSTDIR\uninstall.exe"

  ; The version has a column of its own in "Programs and Features".
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
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

; A file that could not be written: the installation failed, whatever the
; page says; a refusal has set its own code already. The service, stopped to
; replace its file, runs again.
Function .onInstFailed
  GetErrorLevel $0
  ${If} $0 <= 0
    SetErrorLevel 1
  ${EndIf}
!ifdef HAVE_SERVICE
  nsExec::Exec '"$SYSDIR\sc.exe" start ${SERVICE_NAME}'
  Pop $0
!endif
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
    ; What the copy could not remove is this program's own file, held open
    ; while it runs. A small program removes it once this one has ended, and
    ; only if it is still this file: a new installation meanwhile writes its
    ; own uninstall.exe under the name. It removes the folder if nothing is
    ; left in it, and queues only its own unique copy for the next start.
    ${If} $0 = 0
      ClearErrors
      File "/oname=$UnCopyDir\uninstall-tidy.exe" "${TIDY}"
      System::Call 'kernel32::GetCurrentProcessId() i .r2'
      ${IfNot} ${Errors}
        Exec '"$UnCopyDir\uninstall-tidy.exe" $2 "$INSTDIR\uninstall.exe"'
      ${EndIf}
    ${EndIf}
    RMDir $UnCopyDir
    SetErrorLevel $0
    Quit
  ${EndIf}
  ; Nothing goes, no registration either, unless all of the program can.
  !insertmacro WaitForProgramEnd
  !insertmacro WaitForFile "$INSTDIR\lanvoy.exe" ${DELETE_ACCESS}
  !insertmacro WaitForFile "$INSTDIR\${MANUAL}" ${DELETE_ACCESS}
  !insertmacro WaitForFile "$INSTDIR\readme.txt" ${DELETE_ACCESS}
FunctionEnd

; Only what the setup put there goes: the data folder, with lanvoy.cfg,
; config.xml, the logs and lanvoy.version, stays with the user's profiles, and
; so does an earlier version's file left in the program's folder.
Section "Uninstall"
  SetShellVarContext all
  !insertmacro StopService
  ; Held once stopped: start it again and remove nothing.
  !insertmacro FileBusy "$INSTDIR\${SERVICE_EXE}" ${DELETE_ACCESS}
  ${If} $0 = 1
    nsExec::ExecToLog '"$SYSDIR\sc.exe" start ${SERVICE_NAME}'
    Pop $0
    DetailPrint "$INSTDIR\${SERVICE_EXE} 正在使用中。"
    SetErrorLevel 2
    Abort
  ${EndIf}
  nsExec::ExecToLog '"$SYSDIR\sc.exe" delete ${SERVICE_NAME}'
  Pop $0
  DeleteRegKey HKLM "${EVENT_KEY}"
  DeleteRegKey HKLM "${INSTALL_KEY}"
  Delete "$INSTDIR\${SERVICE_EXE}"
  Delete "$INSTDIR\lanvoy.exe"
  Delete "$INSTDIR\${MANUAL}"
  Delete "$INSTDIR\readme.txt"
  ; Started by the uninstaller in the folder, which waits for this copy, that
  ; one stays until it has ended (see un.onInit).
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; Whatever of the program could not go is reported in the exit code, and
  ; the uninstall entry stays to remove it later.
  StrCpy $9 0
  ${If} ${FileExists} "$INSTDIR\lanvoy.exe"
  ${OrIf} ${FileExists} "$INSTDIR\${MANUAL}"
  ${OrIf} ${FileExists} "$INSTDIR\${SERVICE_EXE}"
    DetailPrint "未能删除 $INSTDIR 中的全部程序文件。"
    SetErrorLevel 1
    StrCpy $9 1
  ${EndIf}

  Delete "$SMPROGRAMS\${PRODUCT}\Lanvoy.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Lanvoy 使用手册.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\卸载 Lanvoy.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$DESKTOP\Lanvoy.lnk"

  ; A start with Windows would point at a program that is gone.
  !insertmacro RemoveOldAutorun
  ${If} $9 = 0
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
