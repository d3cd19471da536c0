; Tarnwick setup. scripts/package compiles this script once per Windows architecture:
;   makensis -DARCH=x64|x86 -DCONFIG=<build>/generated/installer_config.nsh
;            -DSCR64=<64-bit tarnwick.scr> -DSCR32=<32-bit tarnwick.scr> -DDIST=<folder>
;            [-DFINISH=<scripts/finish-pe>] tarnwick.nsi
; The x64 program (64-bit Windows) puts the 64-bit saver into System32 and the 32-bit one into
; SysWOW64; the x86 program (32-bit Windows only) puts the 32-bit saver into System32.
; Exit codes: 0 done, 1 cancelled by the user, 2 aborted (a saver file could not be replaced),
; 740 no administrator rights, 216 the x86 program on 64-bit Windows.

Unicode true
!include "${CONFIG}"
!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh

!define SETUP_NAME "tarnwick-${VERSION}-setup"
; Windows starts a saver on idle by its short name: keep it 8.3.
!define SCR_NAME "tarnwick.scr"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3          ; SPIF_UPDATEINIFILE | SPIF_SENDCHANGE
!define ERROR_ELEVATION_REQUIRED 740
!define ERROR_EXE_MACHINE_TYPE_MISMATCH 216

!if "${ARCH}" == "x64"
  Target amd64-unicode
  ; A 64-bit setup sees the real System32 as $SYSDIR; the 32-bit saver's folder goes by its path.
  !define WOW64_SYSDIR "$WINDIR\SysWOW64"
  InstallDir "$PROGRAMFILES64\Tarnwick"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  InstallDir "$PROGRAMFILES\Tarnwick"
!else
  !error "ARCH must be x64 or x86"
!endif

Name "Tarnwick"
OutFile "${DIST}/${SETUP_NAME}-${ARCH}.exe"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "Brevant"
; A saver file that cannot be replaced offers Retry or Cancel, never a silent skip.
AllowSkipFiles off
FileErrorText "Cannot replace $0.$\r$\nTarnwick is still running (full screen, in the Screen Saver Settings or its settings dialog). End it, then click Retry."

; The finishing step of the savers (a signature when a certificate is given, the header checksum)
; runs on the setup program and, before it goes inside, on the uninstaller it writes.
!ifdef FINISH
  !finalize '"${FINISH}" "%1" "Tarnwick" "${HOME_PAGE}"' = 0
  !uninstfinalize '"${FINISH}" "%1" "Tarnwick" "${HOME_PAGE}"' = 0
!endif

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "Tarnwick"
VIAddVersionKey /LANG=1033 "CompanyName" "Brevant"
VIAddVersionKey /LANG=1033 "FileDescription" "Tarnwick ${VERSION} setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "${SETUP_NAME}-${ARCH}.exe"

!define MUI_ICON "../resources/tarnwick.ico"
!define MUI_UNICON "../resources/tarnwick.ico"
!define MUI_ABORTWARNING

; The licence comes first: nothing is offered before its terms are shown.
!insertmacro MUI_PAGE_LICENSE "../LICENSE"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_HEADER_TEXT "Notice"
!define MUI_PAGE_HEADER_SUBTEXT "What Tarnwick's setup does."
!define MUI_LICENSEPAGE_TEXT_TOP "${COPYRIGHT}"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Click Next to continue."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "notice.txt"
!define MUI_PAGE_HEADER_TEXT "Options"
!define MUI_PAGE_HEADER_SUBTEXT "Choose whether Tarnwick becomes your screen saver."
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "Tarnwick goes into the Windows system folder, where the Screen Saver Settings list it."
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver Settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Both programs write the system folder and HKLM: without administrator rights they stop at once.
!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "Tarnwick is installed into the Windows system folder: please run this program as an administrator." /SD IDOK
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
!macroend

; A running saver holds its file open, so it cannot be replaced or removed. First ask every
; tarnwick.scr process to close its windows (the saver ends as it does on input, the settings
; dialog as on Cancel), then end what is left a second later (a preview without a window of its
; own, a saver of another session). FileErrorText covers what still holds on.
!macro DefineEndRunningSavers prefix
  Function ${prefix}EndRunningSavers
    nsExec::Exec '"$SYSDIR\taskkill.exe" /IM ${SCR_NAME}'
    Pop $0
    ${If} $0 = 0
      Sleep 1000
    ${EndIf}
    nsExec::Exec '"$SYSDIR\taskkill.exe" /F /IM ${SCR_NAME}'
    Pop $0
  FunctionEnd
!macroend
!insertmacro DefineEndRunningSavers ""
!insertmacro DefineEndRunningSavers "un."

Function .onInit
  !if "${ARCH}" == "x86"
    ${If} ${RunningX64}
      MessageBox MB_ICONSTOP "This setup is for 32-bit Windows. On 64-bit Windows run ${SETUP_NAME}-x64.exe, which installs both the 64-bit and the 32-bit saver." /SD IDOK
      SetErrorLevel ${ERROR_EXE_MACHINE_TYPE_MISMATCH}
      Quit
    ${EndIf}
  !endif
  !insertmacro RequireAdministrator
FunctionEnd

Function un.onInit
  !insertmacro RequireAdministrator
FunctionEnd

Section "-Tarnwick" SecFiles
  Call EndRunningSavers
  SetOutPath "$SYSDIR"
  !if "${ARCH}" == "x64"
    File "${SCR64}"
    SetOutPath "${WOW64_SYSDIR}"
  !endif
  File "${SCR32}"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tarnwick"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Brevant"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SCR_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_PAGE}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; The saver files (known when this was built) and the install folder, in KiB.
  SectionGetSize ${SecFiles} $0
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; For the installing user only. SCRNSAVE.EXE takes effect when the system next starts a saver;
; SPI_SETSCREENSAVEACTIVE stores ScreenSaveActive as well and broadcasts the change.
Section "Use Tarnwick as my screen saver" SecUseSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SCR_NAME}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_SEND})'
SectionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,screensaver,@screensaver'
FunctionEnd

; The user's clock settings (HKCU\Software\Brevant\Tarnwick) stay: a reinstall keeps the clock as
; configured.
Section "Uninstall"
  Call un.EndRunningSavers
  ; Our saver chosen but gone: do what the Screen Saver Settings do for "(None)".
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == "$SYSDIR\${SCR_NAME}"
  ${OrIf} $0 == "$WINDIR\SysWOW64\${SCR_NAME}"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 0, p 0, i ${SPIF_UPDATE_AND_SEND})'
  ${EndIf}
  Delete /REBOOTOK "$SYSDIR\${SCR_NAME}"
  !if "${ARCH}" == "x64"
    Delete /REBOOTOK "${WOW64_SYSDIR}\${SCR_NAME}"
  !endif
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
