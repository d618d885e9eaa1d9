; The page of choices: the program's own three shortcuts, each also a switch of a silent run
; (/DESKTOP=1, /STARTUP=1, /QUICKLAUNCH=0 by default). Over an existing install each choice
; starts as that install has it: ticked where its shortcut points into the install folder.

Var WantDesktop      ; "1", "0", or "" while undecided
Var WantStartup
Var WantQuickLaunch
Var DesktopTick
Var StartupTick
Var QuickLaunchTick

; $0 = the switch ("/DESKTOP="), $1 = the variable's value so far -> $1 = "0" or "1" when
; the switch was given, else unchanged. A value other than 0 or 1 ends the run.
Function ReadChoiceSwitch
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 $0 $3
  ${If} ${Errors}
    Return
  ${EndIf}
  ${If} $3 == "0"
  ${OrIf} $3 == "1"
    StrCpy $1 $3
    Return
  ${EndIf}
  MessageBox MB_OK|MB_ICONSTOP "${TEXT_BAD_SWITCH} $0$3$\r$\n${TEXT_BAD_SWITCH_VALUES}" /SD IDOK
  SetErrorLevel ${EXIT_FAILED}
  Quit
FunctionEnd

!macro READ_CHOICE_SWITCH SWITCH VAR
  StrCpy $0 "${SWITCH}"
  StrCpy $1 ${VAR}
  Call ReadChoiceSwitch
  StrCpy ${VAR} $1
!macroend

Function ReadChoiceSwitches
  !insertmacro READ_CHOICE_SWITCH "/DESKTOP=" $WantDesktop
  !insertmacro READ_CHOICE_SWITCH "/STARTUP=" $WantStartup
  !insertmacro READ_CHOICE_SWITCH "/QUICKLAUNCH=" $WantQuickLaunch
FunctionEnd

; $0 = the shortcut's folder, $1 = the choice so far, $6 = its first-install default ->
; $1 decided. Uses $2 to $6, $R0 to $R5.
Function SettleChoice
  ${If} $1 != ""
    Return
  ${EndIf}
  ${IfNot} ${FileExists} "$INSTDIR\Meltemix.exe"
    StrCpy $1 $6
    Return
  ${EndIf}
  StrCpy $0 "$0\${LINK_NAME}"
  Call ShortcutIsOurs
FunctionEnd

!macro SETTLE_CHOICE FOLDER VAR DEFAULT
  StrCpy $0 "${FOLDER}"
  StrCpy $1 ${VAR}
  StrCpy $6 ${DEFAULT}
  Call SettleChoice
  StrCpy ${VAR} $1
!macroend

; Every choice still undecided takes its default for the folder chosen. Quick Launch is
; offered only where its folder exists (Windows 7 and later keep it hidden, and it may be
; gone): elsewhere there is no such shortcut, and the setting says so.
Function SettleChoices
  !insertmacro SETTLE_CHOICE "$DESKTOP" $WantDesktop 1
  !insertmacro SETTLE_CHOICE "$SMSTARTUP" $WantStartup 1
  ${If} ${FileExists} "$QUICKLAUNCH\*.*"
    !insertmacro SETTLE_CHOICE "$QUICKLAUNCH" $WantQuickLaunch 0
  ${Else}
    StrCpy $WantQuickLaunch 0
  ${EndIf}
FunctionEnd

!macro CHOICE_BOX TOP TEXT VAR BOX
  ${NSD_CreateCheckbox} 0 ${TOP} 100% 12u "${TEXT}"
  Pop ${BOX}
  ${If} ${VAR} == 1
    ${NSD_Check} ${BOX}
  ${EndIf}
!macroend

Function ChoicesPage
  !insertmacro MUI_HEADER_TEXT "${TEXT_CHOICES_TITLE}" "${TEXT_CHOICES_SUBTITLE}"
  Call SettleChoices
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  !insertmacro CHOICE_BOX 0u "${TEXT_DESKTOP}" $WantDesktop $DesktopTick
  !insertmacro CHOICE_BOX 16u "${TEXT_STARTUP}" $WantStartup $StartupTick
  StrCpy $QuickLaunchTick ""
  ${If} ${FileExists} "$QUICKLAUNCH\*.*"
    !insertmacro CHOICE_BOX 32u "${TEXT_QUICKLAUNCH}" $WantQuickLaunch $QuickLaunchTick
  ${EndIf}
  ${NSD_CreateLabel} 0 56u 100% 36u "${TEXT_CHOICES_INFO}"
  Pop $0
  nsDialogs::Show
FunctionEnd

Function ChoicesLeave
  ${NSD_GetState} $DesktopTick $WantDesktop
  ${NSD_GetState} $StartupTick $WantStartup
  ${If} $QuickLaunchTick != ""
    ${NSD_GetState} $QuickLaunchTick $WantQuickLaunch
  ${EndIf}
FunctionEnd
