; SPDX-License-Identifier: GPL-3.0-or-later
; SPDX-FileCopyrightText: The Quillby developers
; Quillby's Windows installer: for the current user only (no administrator rights), into
; %LOCALAPPDATA%\Programs\Quillby, with two Start-menu shortcuts (the game, and the game with
; its voice), an uninstaller and an entry in the installed apps. The build defines VERSION, PROGRAM (quillby.exe), SOURCE (the source tree)
; and OUTFILE:
;   makensis -DVERSION=1.1 -DPROGRAM=... -DSOURCE=... -DOUTFILE=... quillby.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define PRODUCT "Quillby"
!define PUBLISHER "The Quillby developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillby"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quillby"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${SOURCE}/resources/icon.ico"
UninstallIcon "${SOURCE}/resources/icon.ico"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}, GPL-3.0-or-later"

; Its pages in the user's language where NSIS has it, else English (the first).
LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\German.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\French.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Spanish.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Italian.nlf"
LangString Running ${LANG_ENGLISH} "Quillby is running. Close it, then try again."
LangString Running ${LANG_GERMAN} "Quillby läuft gerade. Beenden Sie es und versuchen Sie es noch einmal."
LangString Running ${LANG_FRENCH} "Quillby est ouvert. Fermez-le, puis réessayez."
LangString Running ${LANG_SPANISH} "Quillby está abierto. Ciérrelo y vuelva a intentarlo."
LangString Running ${LANG_ITALIAN} "Quillby è aperto. Chiudilo e riprova."

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A running game holds its program file: ask for it to be closed first.
!macro RefuseWhileRunning
  FindWindow $0 "FIRST" "${PRODUCT}"
  StrCmp $0 0 +3
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(Running)" /SD IDOK
    Abort
!macroend

Function .onInit
  !insertmacro RefuseWhileRunning
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning
FunctionEnd

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=quillby.exe" "${PROGRAM}"
  File "/oname=COPYING.txt" "${SOURCE}/LICENSES/GPL-3.0-or-later.txt"
  File "/oname=CREDITS.md" "${SOURCE}/resources/CREDITS.md"
  File "${SOURCE}/LICENSES/CC-BY-4.0.txt"
  File "${SOURCE}/LICENSES/OFL-1.1.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Quillby.lnk" "$INSTDIR\quillby.exe" "" "$INSTDIR\quillby.exe" 0 \
    SW_SHOWNORMAL "" "An alphabet game for young children"
  CreateShortCut "$SMPROGRAMS\Quillby (with voice).lnk" "$INSTDIR\quillby.exe" "--speak" \
    "$INSTDIR\quillby.exe" 0 SW_SHOWNORMAL "" "Quillby, saying the letters and the pictures' words"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillby.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; Out of the folder, which could not be removed while this is its working directory.
  SetOutPath "$TEMP"
  Delete "$SMPROGRAMS\Quillby.lnk"
  Delete "$SMPROGRAMS\Quillby (with voice).lnk"
  Delete "$INSTDIR\quillby.exe"
  Delete "$INSTDIR\COPYING.txt"
  Delete "$INSTDIR\CREDITS.md"
  Delete "$INSTDIR\CC-BY-4.0.txt"
  Delete "$INSTDIR\OFL-1.1.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
