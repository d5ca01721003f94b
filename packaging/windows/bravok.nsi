; Bravok's Windows installer: a 64-bit Unicode NSIS program that puts the game,
; its model and its sound into one folder under Program Files, adds a Start-menu
; shortcut that starts the game in that folder (where it looks for its two
; files), and registers an uninstaller in Add/Remove Programs. /S installs and
; uninstalls without a question.
;
; makensis takes the build's values on its command line (CMake's "installer"
; target gives them): VERSION (a.b.c.d), EXE, DATA (the folder of cylinder.vtx
; and rifle_shot.wav), ICON and OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Bravok"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 the Bravok developers"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The installer's and uninstaller's registry view is the 64-bit one, and the
; shortcut is every user's, like the folder under Program Files.
Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Bravok"
    SetOutPath "$INSTDIR"
    File "/oname=bravok.exe" "${EXE}"
    File "${DATA}/cylinder.vtx"
    File "${DATA}/rifle_shot.wav"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; A shortcut's working folder is the output path when it is made.
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\bravok.exe" "" "$INSTDIR\bravok.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bravok.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: a folder the user filled stays.
Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\bravok.exe"
    Delete "$INSTDIR\cylinder.vtx"
    Delete "$INSTDIR\rifle_shot.wav"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
