; The program's shortcuts, made as its options dialog makes them: the program as the target,
; its folder with a backslash as the working directory (the program reads .\Options.ini and
; Contents from there), its icon 0, and nothing else. The same name in every folder.

!define LINK_NAME "Meltemix!.lnk"
!define CLSID_SHELLLINK "{00021401-0000-0000-C000-000000000046}"
!define IID_ISHELLLINKW "{000214F9-0000-0000-C000-000000000046}"
!define IID_IPERSISTFILE "{0000010B-0000-0000-C000-000000000046}"
!define CLSCTX_INPROC_SERVER 1
!define STGM_READ 0
; Slots in the interfaces' tables.
!define IUNKNOWN_QUERYINTERFACE 0
!define IUNKNOWN_RELEASE 2
!define ISHELLLINK_GETPATH 3
!define ISHELLLINK_SETWORKINGDIRECTORY 9
!define ISHELLLINK_SETICONLOCATION 17
!define ISHELLLINK_SETPATH 20
!define IPERSISTFILE_LOAD 5
!define IPERSISTFILE_SAVE 6

!macro SHORTCUT_FUNCTIONS UN
; $0 = the shortcut's path. Sets the error flag when it could not be written. Uses $1 to $5.
Function ${UN}MakeShortcut
  ClearErrors
  StrCpy $3 "$INSTDIR\Meltemix.exe"
  StrCpy $4 "$INSTDIR\"
  System::Call "ole32::CoCreateInstance(g '${CLSID_SHELLLINK}', p 0, i ${CLSCTX_INPROC_SERVER}, g '${IID_ISHELLLINKW}', *p .r1) i .r2"
  ${If} $2 <> 0
    SetErrors
    Return
  ${EndIf}
  System::Call "$1->${ISHELLLINK_SETPATH}(w r3)"
  System::Call "$1->${ISHELLLINK_SETWORKINGDIRECTORY}(w r4)"
  System::Call "$1->${ISHELLLINK_SETICONLOCATION}(w r3, i 0)"
  System::Call "$1->${IUNKNOWN_QUERYINTERFACE}(g '${IID_IPERSISTFILE}', *p .r5) i .r2"
  ${If} $2 = 0
    ; Not remembered as the object's file: nothing more is written through it.
    System::Call "$5->${IPERSISTFILE_SAVE}(w r0, i 0) i .r2"
    System::Call "$5->${IUNKNOWN_RELEASE}()"
  ${EndIf}
  System::Call "$1->${IUNKNOWN_RELEASE}()"
  ${If} $2 <> 0
  ${OrIfNot} ${FileExists} $0
    SetErrors
  ${EndIf}
FunctionEnd

; $0 = a shortcut's path -> $1 = 1 when a shortcut there points at a file in this install
; folder, else 0 (no file, not a shortcut, or one of a copy elsewhere). Uses $2 to $6, $R0-$R5.
Function ${UN}ShortcutIsOurs
  StrCpy $1 0
  ${IfNot} ${FileExists} $0
    Return
  ${EndIf}
  System::Call "ole32::CoCreateInstance(g '${CLSID_SHELLLINK}', p 0, i ${CLSCTX_INPROC_SERVER}, g '${IID_ISHELLLINKW}', *p .r2) i .r3"
  ${If} $3 <> 0
    Return
  ${EndIf}
  StrCpy $5 ""
  System::Call "$2->${IUNKNOWN_QUERYINTERFACE}(g '${IID_IPERSISTFILE}', *p .r4) i .r3"
  ${If} $3 = 0
    System::Call "$4->${IPERSISTFILE_LOAD}(w r0, i ${STGM_READ}) i .r3"
    ${If} $3 = 0
      System::Call "$2->${ISHELLLINK_GETPATH}(w .r5, i ${NSIS_MAX_STRLEN}, p 0, i 0) i .r3"
    ${EndIf}
    System::Call "$4->${IUNKNOWN_RELEASE}()"
  ${EndIf}
  System::Call "$2->${IUNKNOWN_RELEASE}()"
  ${If} $5 != ""
    ${GetParent} $5 $R0
    StrCpy $R1 $INSTDIR
    Call ${UN}SamePath
    StrCpy $1 $R2
  ${EndIf}
FunctionEnd

; $0 = a shortcut's path: removed when it is this install's. Uses what ShortcutIsOurs uses.
Function ${UN}RemoveOurShortcut
  Call ${UN}ShortcutIsOurs
  ${If} $1 = 1
    Delete $0
  ${EndIf}
FunctionEnd
!macroend
