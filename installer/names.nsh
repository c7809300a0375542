; The names the installers, the manifests and the program meet by. CMake
; (generated lanvoy_names.h), tools/make-msi.sh and tools/manifests.py read
; these lines too: keep each one line of the form  !define NAME "value".

; The MSI's upgrade code: it never changes, so a later MSI replaces an
; earlier one in place.
!define UPGRADE_CODE "5B0C6A3E-52D1-4F4B-9E6A-3D1C7A2F9E11"
; The MSI's product code is the name-based UUID (SHA-1, version 5) of this
; text followed by the version, in the upgrade code's namespace: one per
; version, the same wherever it is built (tools/names.py).
!define PRODUCT_CODE_NAME "product "
; The setup program's key under ...\CurrentVersion\Uninstall, which winget
; takes as its product code.
!define SETUP_PRODUCT_CODE "Lanvoy"
; Held by every running lanvoy.exe in the namespace all sessions share, so
; an installer run by SYSTEM or from another session sees it.
!define RUNNING_MUTEX "Global\Lanvoy-Running"
; The single-instance mutex of one session, also the main window's property;
; earlier versions hold only this one.
!define SESSION_MUTEX "Lanvoy-Good"
; A portable copy's sign-in task; earlier versions' machine-wide task and
; Run value have the same name, and so has an installed copy's Run value.
!define TASK_NAME "Lanvoy(CORVELL STUDIO)"
