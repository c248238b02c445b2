; The installer of Tavrik Rateline 1.0.
;
;   makensis -DARCH=32|64 -DBINDIR=<folder of rtln.exe, uni_rtln.exe, rtln.chm>
;            -DARTDIR=<folder of the fonts and app.ico> -DMAKER_URL=<address> -DOUTFILE=<setup.exe>
;            installer/rtln.nsi
;
; It installs the program folder, writes "PathRL", makes the current user's shortcuts and
; registers the uninstaller with the system. It has no uninstaller of its own: uni_rtln.exe
; removes what is listed there and nothing else, so the installer makes nothing more than that
; (apart from uni_rtln.exe itself, which stays in the program folder).

!ifndef ARCH | BINDIR | ARTDIR | MAKER_URL | OUTFILE
  !error "define ARCH, BINDIR, ARTDIR, MAKER_URL and OUTFILE"
!endif

!if ${ARCH} == 64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Tavrik Rateline"
!define PRODUCT_VERSION "Tavrik Rateline 1.0"
!define SETTINGS_KEY "Software\Tavrik\RL\Settings"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_VERSION}"
!define MENU_FOLDER "$SMPROGRAMS\Tavrik Software\Rateline"

Name "${PRODUCT_VERSION}"
OutFile "${OUTFILE}"
!if ${ARCH} == 64
  InstallDir "$PROGRAMFILES64\Tavrik Software\Rateline"
!else
  InstallDir "$PROGRAMFILES\Tavrik Software\Rateline"
!endif
; A reinstall goes where the program already is.
InstallDirRegKey HKCU "${SETTINGS_KEY}" "PathRL"
; The uninstall entry lives under the local machine.
RequestExecutionLevel admin
ShowInstDetails show

VIProductVersion "1.0.0.1"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "1.0.0.1"
VIAddVersionKey "FileVersion" "1.0.0.1"
VIAddVersionKey "FileDescription" "${PRODUCT_VERSION} Setup"
VIAddVersionKey "CompanyName" "Tavrik Software"
VIAddVersionKey "LegalCopyright" "Tavrik Software"

!define MUI_ICON "${ARTDIR}\app.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\rtln.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ; Files of a running copy cannot be replaced; ask the member to close it first.
  ; Silent installs end with exit code 2 instead.
  retry:
    FindWindow $0 "#32770" "${PRODUCT}"
    ${If} $0 <> 0
      IfSilent 0 +3
        SetErrorLevel 2
        Quit
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT_VERSION} is running.$\nClose it, then choose Retry to go on." IDRETRY retry
      Quit
    ${EndIf}
FunctionEnd

Section "Program"
  ; Shortcuts go to the current user's desktop and Start menu, where the uninstaller looks.
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${BINDIR}\rtln.exe"
  File "${BINDIR}\uni_rtln.exe"
  File "${BINDIR}\rtln.chm"
  File "${ARTDIR}\qzDigits.ttf"
  File "${ARTDIR}\qzMain.ttf"
  WriteINIStr "$INSTDIR\Tavrik.url" "InternetShortcut" "URL" "${MAKER_URL}"
  ; The member's evaluations: an empty file is an empty database. An existing one (and the
  ; session history, which the program creates) is never replaced.
  ${IfNot} ${FileExists} "$INSTDIR\site.qzd"
    FileOpen $0 "$INSTDIR\site.qzd" w
    FileClose $0
  ${EndIf}

  ; The program folder with its trailing backslash, so that file names append directly.
  WriteRegStr HKCU "${SETTINGS_KEY}" "PathRL" "$INSTDIR\"

  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\rtln.exe"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\rtln.exe"
  CreateShortCut "${MENU_FOLDER}\${PRODUCT} Help.lnk" "$INSTDIR\rtln.chm"
  CreateShortCut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uni_rtln.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "1.0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tavrik Software"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${MAKER_URL}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\rtln.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uni_rtln.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd
