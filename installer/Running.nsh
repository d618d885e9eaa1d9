; The program of this install folder while it runs. It is closed as the user's "&Kapat"
; closes it: its TMainForm window gets WM_CLOSE, so it saves its settings (its place on the
; screen among them) as it ends. It is never killed. A copy running from another folder is
; somebody else's and is left alone.

!define MAIN_WINDOW_CLASS "TMainForm"
!define PROCESS_QUERY_INFORMATION_VM_READ 0x410
!define CLOSE_WAIT_TENTHS 100

!macro RUNNING_FUNCTIONS UN
; $0 = a window -> $1 = the file its process runs, "" when the system will not say.
; Uses $2 to $4.
Function ${UN}ProgramOfWindow
  StrCpy $1 ""
  System::Call "user32::GetWindowThreadProcessId(p r0, *i 0 r2)"
  System::Call "kernel32::OpenProcess(i ${PROCESS_QUERY_INFORMATION_VM_READ}, i 0, i r2) p .r3"
  ${If} $3 P<> 0
    ; psapi, as Windows XP has it.
    System::Call "psapi::GetModuleFileNameExW(p r3, p 0, w .r1, i ${NSIS_MAX_STRLEN}) i .r4"
    System::Call "kernel32::CloseHandle(p r3)"
    ${If} $4 = 0
      StrCpy $1 ""
    ${EndIf}
  ${EndIf}
FunctionEnd

; $0 = a window or 0 -> $0 = the next main window (the first after 0) of the program in this
; install folder, 0 when there is none. Uses $1 to $4, $R0 to $R5.
Function ${UN}NextProgramWindow
  ${Do}
    System::Call "user32::FindWindowExW(p 0, p r0, w '${MAIN_WINDOW_CLASS}', p 0) p .r0"
    ${If} $0 P= 0
      Return
    ${EndIf}
    Call ${UN}ProgramOfWindow
    ${If} $1 != ""
      StrCpy $R0 $1
      StrCpy $R1 "$INSTDIR\Meltemix.exe"
      Call ${UN}SamePath
      ${If} $R2 = 1
        Return
      ${EndIf}
    ${EndIf}
  ${Loop}
FunctionEnd

; -> $1 = 1 when the program's file can be replaced (or is not there), else 0. Uses $2.
Function ${UN}ProgramFileFree
  StrCpy $1 1
  ${If} ${FileExists} "$INSTDIR\Meltemix.exe"
    ; A program that runs holds its file against writing until its process is gone.
    ClearErrors
    FileOpen $2 "$INSTDIR\Meltemix.exe" a
    ${If} ${Errors}
      StrCpy $1 0
    ${Else}
      FileClose $2
    ${EndIf}
  ${EndIf}
FunctionEnd

; Closes the program of this install folder and waits, at most 10 s, until its file can be
; replaced. $WasRunning becomes 1 when a window of it was told to close. Sets the error flag
; when it is still there after the wait. Uses $0 to $4, $9, $R0 to $R5.
Function ${UN}CloseProgram
  StrCpy $0 0
  ${Do}
    Call ${UN}NextProgramWindow
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    ${If} $WasRunning != 1
      DetailPrint "${TEXT_CLOSING}"
    ${EndIf}
    StrCpy $WasRunning 1
    System::Call "user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)"
  ${Loop}
  StrCpy $9 0
  ${Do}
    StrCpy $0 0
    Call ${UN}NextProgramWindow
    ${If} $0 P= 0
      Call ${UN}ProgramFileFree
      ${If} $1 = 1
        ClearErrors
        Return
      ${EndIf}
    ${EndIf}
    ${If} $9 >= ${CLOSE_WAIT_TENTHS}
      SetErrors
      Return
    ${EndIf}
    Sleep 100
    IntOp $9 $9 + 1
  ${Loop}
FunctionEnd

; Closes the program or asks, as long as it stays, whether to try again; a "no" (the answer
; of a silent run) ends the run with EXIT_RUNNING before anything has been changed.
Function ${UN}CloseProgramOrStop
  ${Do}
    Call ${UN}CloseProgram
    ${IfNot} ${Errors}
      Return
    ${EndIf}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${TEXT_STILL_RUNNING}" /SD IDCANCEL IDRETRY`
      SetErrorLevel ${EXIT_RUNNING}
      Abort
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
