; The setup program of the Windows screen saver. tarvex.scr and VBMP3.dll go
; into the system folder, where the screen-saver settings list savers, with
; the packaged message readme.txt and settings tarvex.ini beside them; the
; uninstaller goes into Program Files\tarvex and is listed among the
; installed programs. Each user's own settings, in %APPDATA%\tarvex, are
; never touched. Made by setup_program.cmake:
;   makensis -DVERSION=<x.y.z> -DSOURCE=<files> -DSIZE_KB=<n> -DOUTFILE=<exe> tarvex.nsi
Unicode true
; The saver is x86-64 only; a 64-bit setup sees the real system folder and
; registry, with no file-system redirection to undo.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include LogicLib.nsh

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tarvex"
!define UNINSTALLER_DIR "$PROGRAMFILES64\tarvex"

Name "tarvex ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$SYSDIR"
ShowInstDetails show
ShowUninstDetails show
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Japanese.nlf"

; readme.txt and tarvex.ini are common names: one already in the system
; folder that no earlier setup of ours put there is someone else's. It is
; kept, and the uninstaller leaves it; the value OWNED names ours.
!macro PackagedFile NAME OWNED
  ReadRegDWORD $0 HKLM "${KEY}" "${OWNED}"
  ${If} $0 == 1
  ${OrIfNot} ${FileExists} "$SYSDIR\${NAME}"
    File "${SOURCE}\${NAME}"
    WriteRegDWORD HKLM "${KEY}" "${OWNED}" 1
  ${Else}
    DetailPrint "Kept $SYSDIR\${NAME}: it was there before and is not from this setup."
  ${EndIf}
!macroend

!macro RemovePackagedFile NAME OWNED
  ReadRegDWORD $0 HKLM "${KEY}" "${OWNED}"
  ${If} $0 == 1
    Delete /REBOOTOK "$SYSDIR\${NAME}"
  ${EndIf}
!macroend

Section
  SetOutPath "$SYSDIR"
  File "${SOURCE}\tarvex.scr"
  File "${SOURCE}\VBMP3.dll"
  !insertmacro PackagedFile readme.txt InstalledReadme
  !insertmacro PackagedFile tarvex.ini InstalledSettings
  CreateDirectory "${UNINSTALLER_DIR}"
  WriteUninstaller "${UNINSTALLER_DIR}\uninstall.exe"
  WriteRegStr HKLM "${KEY}" DisplayName "tarvex"
  WriteRegStr HKLM "${KEY}" Publisher "tarvex"
  WriteRegStr HKLM "${KEY}" DisplayVersion "${VERSION}"
  WriteRegDWORD HKLM "${KEY}" EstimatedSize ${SIZE_KB}
  WriteRegStr HKLM "${KEY}" DisplayIcon "$SYSDIR\tarvex.scr"
  WriteRegStr HKLM "${KEY}" InstallLocation "$SYSDIR"
  WriteRegStr HKLM "${KEY}" UninstallString '"${UNINSTALLER_DIR}\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" QuietUninstallString '"${UNINSTALLER_DIR}\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" NoModify 1
  WriteRegDWORD HKLM "${KEY}" NoRepair 1
SectionEnd

; As right-click Install does: the screen-saver settings open with tarvex
; chosen. A silent setup opens nothing.
Function .onInstSuccess
  ${IfNot} ${Silent}
    Exec '"$SYSDIR\rundll32.exe" desk.cpl,InstallScreenSaver $SYSDIR\tarvex.scr'
  ${EndIf}
FunctionEnd

; A saver still running is removed at the next restart.
Section Uninstall
  Delete /REBOOTOK "$SYSDIR\tarvex.scr"
  Delete /REBOOTOK "$SYSDIR\VBMP3.dll"
  !insertmacro RemovePackagedFile readme.txt InstalledReadme
  !insertmacro RemovePackagedFile tarvex.ini InstalledSettings
  DeleteRegKey HKLM "${KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
