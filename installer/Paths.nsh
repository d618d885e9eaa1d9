; Paths compared as the file system compares them. The locale's case rules are no good
; here: under a Turkish locale "I" and "i" are two different letters, yet the same in a path.

!define LOCALE_INVARIANT 0x7F
!define NORM_IGNORECASE 1
!define CSTR_EQUAL 2

!macro PATH_FUNCTIONS UN
; $R0, $R1: two paths -> $R2 = 1 when they name the same file or folder, else 0.
; Uses $R3 to $R5.
Function ${UN}SamePath
  ; The long forms, so that C:\PROGRA~1 and C:\Program Files agree; a path that does not
  ; exist keeps its own form.
  System::Call "kernel32::GetLongPathNameW(w R0, w .R3, i ${NSIS_MAX_STRLEN}) i .R5"
  ${If} $R5 = 0
    StrCpy $R3 $R0
  ${EndIf}
  System::Call "kernel32::GetLongPathNameW(w R1, w .R4, i ${NSIS_MAX_STRLEN}) i .R5"
  ${If} $R5 = 0
    StrCpy $R4 $R1
  ${EndIf}
  System::Call "kernel32::CompareStringW(i ${LOCALE_INVARIANT}, i ${NORM_IGNORECASE}, w R3, i -1, w R4, i -1) i .R5"
  StrCpy $R2 0
  ${If} $R5 = ${CSTR_EQUAL}
    StrCpy $R2 1
  ${EndIf}
FunctionEnd
!macroend
