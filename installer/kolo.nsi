; Kolo's installer. Built by scripts/release.sh:
;   makensis -DVERSION=1.00 -DEXE=path/Kolo.exe -DART=build/win/generated -DOUTFILE=Kolo-1.00-setup.exe installer/kolo.nsi
; ART is the folder of the generated artwork (the icon and the side picture).
;
; Per-user by default (no administrator rights, under the user's programs
; folder, so the folder beside Kolo.exe can be written); administrators may
; choose an installation for all users. /S installs silently; /AllUsers or
; /CurrentUser choose the mode on the command line.
; The uninstaller keeps the settings and the screenshots and clipboard history
; unless the user says otherwise (silently: /REMOVESETTINGS, /REMOVEDATA).

; Kolo is a 64-bit program: a 64-bit installer (it also runs where no 32-bit Windows layer is installed).
Target amd64-unicode
SetCompressor /SOLID lzma
!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef EXE
  !error "EXE is not defined"
!endif
!ifndef ART
  !error "ART is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "Kolo-${VERSION}-setup.exe"
!endif

; With SIGN (a command: SIGN IN OUT) the uninstaller and the installer are signed.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1" "%1"' = 0
  !finalize '"${SIGN}" "%1" "%1"' = 0
!endif

!define PRODUCT "Kolo"
!define PUBLISHER "Velmora"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kolo"
!define SETTINGS_KEY "Software\Velmora\Kolo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Kolo"
; An upgrade goes where the earlier version is.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ART}/kolo.ico"
!define MUI_UNICON "${ART}/kolo.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ART}/installer_sidebar.bmp"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kolo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Kolo"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Kolo is asked to close (it saves its settings and may ask the
; user first); it is never killed. Silently, a Kolo that stays open ends the
; setup with an error instead of overwriting a program in use.
!macro CLOSE_RUNNING_KOLO un
Function ${un}CloseRunningKolo
  FindWindow $0 "TfrmMain" "Kolo"
  ${If} $0 == 0
    Return
  ${EndIf}
  System::Call 'user32::PostMessageW(p r0, i 0x10, p 0, p 0)'
  StrCpy $1 0
  ${Do}
    Sleep 250
    IntOp $1 $1 + 1
    FindWindow $0 "TfrmMain" "Kolo"
    ${If} $0 == 0
      Sleep 500 ; let the process finish writing and exit
      Return
    ${EndIf}
    ${If} $1 >= 40
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Kolo is still running. Close it, then choose Retry." /SD IDCANCEL IDRETRY +3
      SetErrorLevel 2
      Quit
      System::Call 'user32::PostMessageW(p r0, i 0x10, p 0, p 0)'
      StrCpy $1 0
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_KOLO ""
!insertmacro CLOSE_RUNNING_KOLO "un."

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Kolo" SecMain
  SectionIn RO
  Call CloseRunningKolo
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "/oname=Kolo.exe" "${EXE}"
  ; What an earlier run left from an update hand-over.
  Delete "$INSTDIR\Kolo_last.exe"
  Delete "$INSTDIR\Kolo_new.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Kolo.lnk" "$INSTDIR\Kolo.exe" "" "$INSTDIR\Kolo.exe" 0

  ${GetSize} "$INSTDIR" "/M=Kolo.exe /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=uninstall.exe /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\Kolo.exe$\",0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode /S"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Call un.CloseRunningKolo
  ${GetParameters} $R0

  Delete "$INSTDIR\Kolo.exe"
  Delete "$INSTDIR\kolod.dll"
  Delete "$INSTDIR\Kolo_last.exe"
  Delete "$INSTDIR\Kolo_new.exe"
  Delete "$SMPROGRAMS\Kolo.lnk"
  ; Start with Windows is the current user's.
  DeleteRegValue HKCU "${RUN_KEY}" "kolo"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION "Also remove Kolo's settings?" /SD IDNO IDNO +2
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  ${EndIf}
  DeleteRegKey /ifempty HKCU "Software\Velmora"

  ; Screenshots and the clipboard history stay unless the user asks. An
  ; installation for all users keeps them in the user's own data folder.
  ClearErrors
  ${GetOptions} $R0 "/REMOVEDATA" $R1
  ${IfNot} ${Errors}
    Call un.RemoveData
  ${Else}
    IfFileExists "$INSTDIR\scrn\*.*" ask 0
    IfFileExists "$INSTDIR\clipbrd\*.*" ask 0
    IfFileExists "$LOCALAPPDATA\Kolo\*.*" ask done
    ask:
    MessageBox MB_YESNO|MB_ICONQUESTION "Also remove your screenshots and clipboard history?" /SD IDNO IDNO done
    Call un.RemoveData
    done:
  ${EndIf}

  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

Function un.RemoveData
  RMDir /r "$INSTDIR\scrn"
  RMDir /r "$INSTDIR\clipbrd"
  SetShellVarContext current
  RMDir /r "$LOCALAPPDATA\Kolo"
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetShellVarContext all
  ${EndIf}
FunctionEnd
