; The per-user setup of Meltemix!: installs the files of the download into a folder of the
; user's own, with the shortcuts the program itself would make and its entry in Programs and
; Features; upgrades over the running program; and removes all of it again (uninst.exe).
; Nothing is written for other users: no administrator is asked for, nothing under HKLM.
;
; tools/package.py builds it with these defines:
;   VERSION       the version as shown, 1.00        VERSION_QUAD  the same as 1.0.0.0
;   TARGET        x86-unicode (shipped, XP on) or amd64-unicode (around the 64-bit build)
;   FILES         the macros that install and remove the download's files
;   ICON          the program's icon              OUTFILE       the setup to write
;   UNINSTALLER_COPY  (optional) where to leave a copy of the uninstaller, for its checks

Unicode true
Target ${TARGET}
RequestExecutionLevel user
ManifestSupportedOS all
ManifestDPIAware true
SetCompressor /SOLID lzma
; A file that cannot be written fails the run instead of being skipped without a word.
AllowSkipFiles off

!define PRODUCT "Meltemix!"
!define PUBLISHER "Meltemix! Geliştiricileri"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Meltemix"
; Shared by the setup and the uninstaller: one of them at a time.
!define SETUP_MUTEX "MeltemixSetup"
!define ERROR_ALREADY_EXISTS 183
!define SYNCHRONIZE 0x100000
!define INFINITE 0xFFFFFFFF

; Exit codes besides NSIS's own 0 (done) and 1 (cancelled by the user); the README lists them.
!define EXIT_FAILED 2
!define EXIT_RUNNING 3
!define EXIT_BUSY 4

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Meltemix"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion ${VERSION_QUAD}
VIFileVersion ${VERSION_QUAD}

!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include nsDialogs.nsh
!include MUI2.nsh
!include Texts.nsh
!include ${FILES}

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom ChoicesPage ChoicesLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

VIAddVersionKey /LANG=${LANG_TURKISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_TURKISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_TURKISH} "FileDescription" "${PRODUCT} kurulumu"
VIAddVersionKey /LANG=${LANG_TURKISH} "FileVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_TURKISH} "ProductVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_TURKISH} "LegalCopyright" "Telif hakkı © 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_TURKISH} "OriginalFilename" "Meltemix-${VERSION}-setup.exe"

!ifdef UNINSTALLER_COPY
  !uninstfinalize 'cp "%1" "${UNINSTALLER_COPY}"'
!endif

Var WasRunning
Var KeepSettings ; "1", "0", or "" until asked
Var Failed

!include Paths.nsh
!include Shortcuts.nsh
!include Running.nsh
!insertmacro PATH_FUNCTIONS ""
!insertmacro PATH_FUNCTIONS "un."
!insertmacro SHORTCUT_FUNCTIONS ""
!insertmacro SHORTCUT_FUNCTIONS "un."
!insertmacro RUNNING_FUNCTIONS ""
!insertmacro RUNNING_FUNCTIONS "un."
!include Choices.nsh

!macro ONE_AT_A_TIME
  ; The handle stays open until the process ends; the system closes it then.
  System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${SETUP_MUTEX}") p .r0 ?e'
  Pop $1
  ${If} $1 = ${ERROR_ALREADY_EXISTS}
    MessageBox MB_OK|MB_ICONSTOP "${TEXT_BUSY}" /SD IDOK
    SetErrorLevel ${EXIT_BUSY}
    Quit
  ${EndIf}
!macroend

; A write that failed: said, and the run ends with EXIT_FAILED.
!macro FAIL_IF_ERRORS WHAT
  ${If} ${Errors}
    DetailPrint "${TEXT_WRITE_FAILED} ${WHAT}"
    MessageBox MB_OK|MB_ICONSTOP "${TEXT_WRITE_FAILED}$\r$\n${WHAT}" /SD IDOK
    SetErrorLevel ${EXIT_FAILED}
    Abort
  ${EndIf}
!macroend

Function .onInit
  !insertmacro ONE_AT_A_TIME
  StrCpy $WasRunning 0
  Call ReadChoiceSwitches
FunctionEnd

; Every start the setup makes begins in the install folder, where the program finds
; .\Options.ini and its pictures.
Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\Meltemix.exe"'
FunctionEnd

; $0 = the shortcut's folder, $1 = the choice: the shortcut made, or removed when it is ours.
Function PlaceShortcut
  StrCpy $0 "$0\${LINK_NAME}"
  ${If} $1 = 1
    StrCpy $7 $0
    Call MakeShortcut
    !insertmacro FAIL_IF_ERRORS $7
  ${Else}
    Call RemoveOurShortcut
  ${EndIf}
FunctionEnd

!macro PLACE_SHORTCUT FOLDER CHOICE
  StrCpy $0 "${FOLDER}"
  StrCpy $1 ${CHOICE}
  Call PlaceShortcut
!macroend

Section
  ; Before anything is changed: a program that will not end leaves all as it was.
  Call CloseProgramOrStop
  Call SettleChoices

  ClearErrors
  !insertmacro MELTEMIX_INSTALL_FILES
  !insertmacro FAIL_IF_ERRORS "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninst.exe"
  !insertmacro FAIL_IF_ERRORS "$INSTDIR\uninst.exe"

  ; The options dialog fills its ticks from these; a key left missing would read as ticked,
  ; and its first OK would make that shortcut against the user's choice.
  WriteINIStr "$INSTDIR\Options.ini" "General" "Desktop" $WantDesktop
  WriteINIStr "$INSTDIR\Options.ini" "General" "Startup" $WantStartup
  WriteINIStr "$INSTDIR\Options.ini" "General" "QuickLunch" $WantQuickLaunch
  !insertmacro FAIL_IF_ERRORS "$INSTDIR\Options.ini"
  FlushINI "$INSTDIR\Options.ini"

  StrCpy $0 "$SMPROGRAMS"
  CreateDirectory $0
  StrCpy $1 1
  Call PlaceShortcut
  !insertmacro PLACE_SHORTCUT "$DESKTOP" $WantDesktop
  !insertmacro PLACE_SHORTCUT "$SMSTARTUP" $WantStartup
  !insertmacro PLACE_SHORTCUT "$QUICKLAUNCH" $WantQuickLaunch

  ; Last, so that Programs and Features lists only an install that is whole.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ClearErrors
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Meltemix.exe,0"
  ; The uninstaller runs in place (_?=), so whoever starts it waits for its end and gets
  ; its exit code; it takes itself away as it ends.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe" _?=$INSTDIR'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S _?=$INSTDIR'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  !insertmacro FAIL_IF_ERRORS "HKCU\${UNINSTALL_KEY}"

  ; Interactive, the finish page offers the start; a silent run starts again only what it
  ; closed.
  ${If} ${Silent}
  ${AndIf} $WasRunning = 1
    Call StartProgram
  ${EndIf}
SectionEnd

!include Uninstall.nsh
