; The Windows installer: qomdex.exe and qomdex-cli.exe, a Start menu entry, an uninstaller, and
; "Remove leading numbers..." in Explorer's menu on a folder and on a folder's background. Per
; user under HKCU by default, without administrator rights; for all users under HKLM and Program
; Files with /AllUsers, run as an administrator. The uninstaller removes every file and key the
; installer made.
;
; makensis -DVERSION=1.0.0.0 -DQOMDEX_EXE=... -DQOMDEX_CLI_EXE=... -DLICENSE_FILE=...
;          -DICON_FILE=... -DOUT_FILE=... qomdex.nsi
Unicode true
; A 64-bit installer: 64-bit programs, the 64-bit registry and Program Files.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include FileFunc.nsh
!include LogicLib.nsh
!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\qomdex"
!define CLASSES "Software\Classes\Directory"
!define VERB_LABEL "Remove leading numbers..."

Name "qomdex"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\qomdex"
VIProductVersion "${VERSION}"
VIAddVersionKey ProductName "qomdex"
VIAddVersionKey FileDescription "qomdex installer"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "the qomdex developers"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      MessageBox MB_ICONSTOP "Installing qomdex for all users needs administrator rights." /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    ; /D= chooses the folder before this runs, and stands.
    ${If} $INSTDIR == "$LOCALAPPDATA\Programs\qomdex"
      StrCpy $INSTDIR "$PROGRAMFILES64\qomdex"
    ${EndIf}
    SetShellVarContext all
  ${EndIf}
FunctionEnd

; Writes Explorer's verb under a class key: its label, its icon and the command that opens the
; window on the folder the placeholder names.
!macro WriteVerb CLASS PLACEHOLDER
  WriteRegStr SHCTX "${CLASSES}${CLASS}\shell\qomdex" "" "${VERB_LABEL}"
  WriteRegStr SHCTX "${CLASSES}${CLASS}\shell\qomdex" "Icon" "$INSTDIR\qomdex.exe"
  WriteRegStr SHCTX "${CLASSES}${CLASS}\shell\qomdex\command" "" \
      '"$INSTDIR\qomdex.exe" "${PLACEHOLDER}"'
!macroend

Section "qomdex"
  SetOutPath "$INSTDIR"
  File "/oname=qomdex.exe" "${QOMDEX_EXE}"
  File "/oname=qomdex-cli.exe" "${QOMDEX_CLI_EXE}"
  File "/oname=LICENSE.txt" "${LICENSE_FILE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\qomdex.lnk" "$INSTDIR\qomdex.exe"

  !insertmacro WriteVerb "" "%1"
  !insertmacro WriteVerb "\Background" "%V"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "qomdex"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "the qomdex developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qomdex.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Var AllUsers

Function un.onInit
  ; Installed for all users when the machine's uninstall entry names this folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${EndIf}
FunctionEnd

; Removes a user's key that the installer may have made to hold its own, only when nothing else
; is in it; the machine's keys of the same names are the system's own, and stay.
!macro un.RemoveIfBare KEY
  EnumRegKey $0 HKCU "${KEY}" 0
  EnumRegValue $1 HKCU "${KEY}" 0
  ReadRegStr $2 HKCU "${KEY}" ""
  ${If} $AllUsers != 1
  ${AndIf} "$0$1$2" == ""
    DeleteRegKey HKCU "${KEY}"
  ${EndIf}
!macroend

Section "Uninstall"
  Delete "$INSTDIR\qomdex.exe"
  Delete "$INSTDIR\qomdex-cli.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The per-user programs folder, if the installer made it and nothing else is in it.
  ${If} $AllUsers != 1
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  Delete "$SMPROGRAMS\qomdex.lnk"

  DeleteRegKey SHCTX "${CLASSES}\shell\qomdex"
  DeleteRegKey SHCTX "${CLASSES}\Background\shell\qomdex"
  !insertmacro un.RemoveIfBare "${CLASSES}\Background\shell"
  !insertmacro un.RemoveIfBare "${CLASSES}\Background"
  !insertmacro un.RemoveIfBare "${CLASSES}\shell"
  !insertmacro un.RemoveIfBare "${CLASSES}"
  !insertmacro un.RemoveIfBare "Software\Classes"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  !insertmacro un.RemoveIfBare "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd
