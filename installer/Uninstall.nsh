; uninst.exe: closes the program as the setup does, removes what the setup installed and the
; shortcuts that point into this install folder, and keeps the settings unless told not to.

; The uninstaller ran in place, from the file it has to remove: a copy of it, started by the
; system's usual route through the temporary folder, waits for this process to end and then
; takes the file and the folder away.
!define CLEANUP_SWITCH "/CLEANUP="

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "${CLEANUP_SWITCH}" $1
  ${IfNot} ${Errors}
    SetSilent silent
    Call un.RemoveUninstaller
    Quit
  ${EndIf}
  !insertmacro ONE_AT_A_TIME
  StrCpy $WasRunning 0
  StrCpy $KeepSettings ""
  StrCpy $Failed 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/KEEPSETTINGS=" $1
  ${IfNot} ${Errors}
    ${If} $1 == "0"
    ${OrIf} $1 == "1"
      StrCpy $KeepSettings $1
    ${Else}
      MessageBox MB_OK|MB_ICONSTOP "${TEXT_BAD_SWITCH} /KEEPSETTINGS=$1$\r$\n${TEXT_BAD_SWITCH_VALUES}" /SD IDOK
      SetErrorLevel ${EXIT_FAILED}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; $1 = the process to wait for. Uses $2, $3.
Function un.RemoveUninstaller
  System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
  ${If} $2 P<> 0
    System::Call "kernel32::WaitForSingleObject(p r2, i ${INFINITE})"
    System::Call "kernel32::CloseHandle(p r2)"
  ${EndIf}
  ; The short-lived starter of this copy ran from the same file too.
  StrCpy $3 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\uninst.exe"
    ${IfNot} ${Errors}
    ${OrIf} $3 >= ${CLOSE_WAIT_TENTHS}
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $3 $3 + 1
  ${Loop}
  RMDir "$INSTDIR"
FunctionEnd

!macro UN_REMOVE_SHORTCUT FOLDER
  StrCpy $0 "${FOLDER}\${LINK_NAME}"
  Call un.RemoveOurShortcut
!macroend

Section "Uninstall"
  Call un.CloseProgramOrStop

  ${If} $KeepSettings == ""
    StrCpy $KeepSettings 1
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "${TEXT_REMOVE_SETTINGS}" /SD IDNO IDYES`
      StrCpy $KeepSettings 0
    ${EndIf}
  ${EndIf}

  ClearErrors
  !insertmacro MELTEMIX_REMOVE_FILES
  ${If} $KeepSettings = 0
    Delete "$INSTDIR\Options.ini"
    ; Where the program keeps them when its folder cannot be written.
    Delete "$APPDATA\Meltemix\Options.ini"
  ${EndIf}
  ${If} ${Errors}
    StrCpy $Failed 1
  ${EndIf}
  !insertmacro MELTEMIX_REMOVE_FOLDERS
  RMDir "$APPDATA\Meltemix"

  !insertmacro UN_REMOVE_SHORTCUT "$SMPROGRAMS"
  !insertmacro UN_REMOVE_SHORTCUT "$DESKTOP"
  !insertmacro UN_REMOVE_SHORTCUT "$SMSTARTUP"
  !insertmacro UN_REMOVE_SHORTCUT "$QUICKLAUNCH"

  ; The entry is this install's only when it names this folder.
  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCpy $R1 $INSTDIR
  Call un.SamePath
  ${If} $R2 = 1
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}

  ClearErrors
  Delete "$INSTDIR\uninst.exe"
  ${If} ${Errors}
    System::Call "kernel32::GetCurrentProcessId() i .r0"
    Exec '"$INSTDIR\uninst.exe" ${CLEANUP_SWITCH}$0'
  ${EndIf}
  RMDir "$INSTDIR"

  ${If} $Failed = 1
    SetErrorLevel ${EXIT_FAILED}
  ${EndIf}
SectionEnd
