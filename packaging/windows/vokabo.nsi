; The Windows installer. Built by makensis from the build folder (the "installer" target),
; which passes VERSION, SCR, LESSONTOOL, SOURCE_DIR, LESSONS_NSH and OUTFILE.
;
; Windows' screen saver settings list the savers of the system folder, so vokabo.scr goes
; there, and its lessons beside it, where the saver looks for them. The lesson tool, the
; licences and the uninstaller go to a folder of their own under Program Files.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "${LESSONS_NSH}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vokabo"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Vokabo"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vokabo"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vokabo ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1029 "ProductName" "Vokabo"
VIAddVersionKey /LANG=1029 "FileDescription" "Instalace spořiče obrazovky Vokabo"
VIAddVersionKey /LANG=1029 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1029 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1029 "LegalCopyright" "© 2026 The Vokabo developers, licence MIT"

!define MUI_ICON "${SOURCE_DIR}/resources/icons/vokabo.ico"
!define MUI_UNICON "${SOURCE_DIR}/resources/icons/vokabo.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Otevřít nastavení spořiče obrazovky"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Czech"

Section "Spořič obrazovky Vokabo a jeho lekce" SecSaver
    SectionIn RO
    SetOutPath "$SYSDIR"
    File "/oname=vokabo.scr" "${SCR}"
    SetOutPath "$SYSDIR\lessons"
    !insertmacro InstallLessons

    SetOutPath "$INSTDIR"
    File "/oname=vokabo-lekce.exe" "${LESSONTOOL}"
    File "/oname=LICENSE.txt" "${SOURCE_DIR}/LICENSE"
    File "/oname=LICENSE-lekce.txt" "${SOURCE_DIR}/data/LICENSE.lessons"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    SetShellVarContext all
    CreateShortCut "$SMPROGRAMS\Vokabo – nastavení.lnk" "$SYSDIR\vokabo.scr" "/c" "$SYSDIR\vokabo.scr"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vokabo – spořič obrazovky s anglickými slovíčky"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Vokabo"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\vokabo.scr"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Nastavit Vokabo jako spořič obrazovky" SecCurrent
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\vokabo.scr"
    ; SPI_SETSCREENSAVEACTIVE, stored and announced to the running programs.
    System::Call "user32::SystemParametersInfoW(i 17, i 1, p 0, i 3)"
SectionEnd

Function OpenScreenSaverSettings
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

; Everything the installer put in place goes; the user's settings (under VB and VBA Program
; Settings) and lessons the user added beside the bundled ones stay.
Section "Uninstall"
    Delete "$SYSDIR\vokabo.scr"
    !insertmacro UninstallLessons
    RMDir "$SYSDIR\lessons"

    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "$SYSDIR\vokabo.scr"
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}

    SetShellVarContext all
    Delete "$SMPROGRAMS\Vokabo – nastavení.lnk"

    Delete "$INSTDIR\vokabo-lekce.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\LICENSE-lekce.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
