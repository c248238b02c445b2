; The installer of Tavrik Rateline.
;
;   makensis -DARCH=32|64 -DPROGRAMDIR=<the program folder, as CMake's install rules lay it out>
;            -DARTDIR=<folder of app.ico> -DPRODUCT_FACTS=<the build tree's product.nsh>
;            -DOUTFILE=<setup.exe> installer/rtln.nsi
;
; It installs the program folder (with the browser extension's folder Browser), writes "PathRL",
; makes the current user's shortcuts, registers the browsers' native messaging host and the
; uninstaller in the current user's list of installed programs. It has no uninstaller of its
; own: uni_rtln.exe removes what is listed there and nothing else, so the installer makes
; nothing more than that.
;
; Everything is the current user's: the program keeps its data files beside itself, so its
; folder must be one the member can write without elevation, and the installer asks for none.

!ifndef ARCH | PROGRAMDIR | ARTDIR | PRODUCT_FACTS | OUTFILE
  !error "define ARCH, PROGRAMDIR, ARTDIR, PRODUCT_FACTS and OUTFILE"
!endif

!if ${ARCH} == 64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinVer.nsh"

; The product's name, version, publisher, settings key and web site (RTLN_*).
!include "${PRODUCT_FACTS}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${RTLN_NAME_AND_VERSION}"
!define MENU_FOLDER "$SMPROGRAMS\${RTLN_PUBLISHER}\Rateline"
; Where each browser family looks for the current user's native messaging hosts.
!define CHROME_HOST_KEY "Software\Google\Chrome\NativeMessagingHosts\${RTLN_HOST_NAME}"
!define EDGE_HOST_KEY "Software\Microsoft\Edge\NativeMessagingHosts\${RTLN_HOST_NAME}"
!define FIREFOX_HOST_KEY "Software\Mozilla\NativeMessagingHosts\${RTLN_HOST_NAME}"

Name "${RTLN_NAME_AND_VERSION}"
OutFile "${OUTFILE}"
; The per-user program folder that Windows itself uses.
InstallDir "$LOCALAPPDATA\Programs\${RTLN_PUBLISHER}\Rateline"
; A reinstall goes where the program already is.
InstallDirRegKey HKCU "${RTLN_SETTINGS_KEY}" "PathRL"
RequestExecutionLevel user
ShowInstDetails show

VIProductVersion "${RTLN_FILE_VERSION_TEXT}"
VIAddVersionKey "ProductName" "${RTLN_PRODUCT_NAME}"
VIAddVersionKey "ProductVersion" "${RTLN_FILE_VERSION_TEXT}"
VIAddVersionKey "FileVersion" "${RTLN_FILE_VERSION_TEXT}"
VIAddVersionKey "FileDescription" "${RTLN_NAME_AND_VERSION} Setup"
VIAddVersionKey "CompanyName" "${RTLN_PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${RTLN_PUBLISHER}"

!define MUI_ICON "${ARTDIR}\app.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckInstallFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\rtln.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${RTLN_PRODUCT_NAME} now"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ; Files of a running copy cannot be replaced; ask the member to close it first.
  ; Silent installs end with exit code 2 instead.
  retry:
    FindWindow $0 "#32770" "${RTLN_PRODUCT_NAME}"
    ${If} $0 <> 0
      IfSilent 0 +3
        SetErrorLevel 2
        Quit
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${RTLN_NAME_AND_VERSION} is running.$\nClose it, then choose Retry to go on." IDRETRY retry
      Quit
    ${EndIf}
  ; A silent install has no folder page: a folder the program cannot spell or the installer
  ; cannot write ends it with 2, untouched.
  ${If} ${Silent}
    Call IsInstallFolderSpellable
    Pop $0
    ${If} $0 == 1
      Call IsInstallFolderWritable
      Pop $0
    ${EndIf}
    ${If} $0 != 1
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; Pushes 1 when the program can spell $INSTDIR, else 0. From Windows 10 version 1903 (build
; 18362) on, its 8-bit functions get UTF-8, as its manifest asks, which spells every folder.
; Older Windows give them the system's ANSI code page, where a letter that code page lacks
; becomes "?" and the program would not find its own folder.
Function IsInstallFolderSpellable
  ${If} ${AtLeastBuild} 18362
    Push 1
    Return
  ${EndIf}
  ; $0 is set when a letter has no spelling (WC_NO_BEST_FIT_CHARS: no look-alike stands in for
  ; it). A system-wide code page of UTF-8 refuses the flag and sets nothing: it spells everything.
  System::Call 'kernel32::WideCharToMultiByte(i 0, i 0x400, w "$INSTDIR", i -1, p 0, i 0, p 0, *i 0 r0)'
  ${If} $0 <> 0
    Push 0
  ${Else}
    Push 1
  ${EndIf}
FunctionEnd

; Pushes 1 when a file can be made in $INSTDIR (which it creates if need be), else 0; a folder
; it created for a failed try is removed again, so nothing is half installed.
Function IsInstallFolderWritable
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\rtln_setup.tmp" w
  ${If} ${Errors}
    ${If} $1 == 1
      RMDir "$INSTDIR"
    ${EndIf}
    Push 0
    Return
  ${EndIf}
  FileClose $0
  Delete "$INSTDIR\rtln_setup.tmp"
  Push 1
FunctionEnd

; Leaving the folder page: a folder the program cannot spell, or one the member may not write
; (one under Program Files, for instance), is refused with a message, and the page stays.
Function CheckInstallFolder
  Call IsInstallFolderSpellable
  Pop $0
  ${If} $0 != 1
    MessageBox MB_OK|MB_ICONEXCLAMATION "${RTLN_PRODUCT_NAME} cannot be installed in$\n$INSTDIR$\nbecause on this version of Windows the program cannot read some of its letters. Please choose a folder spelled in plain letters, such as C:\Rateline." /SD IDOK
    Abort
  ${EndIf}
  Call IsInstallFolderWritable
  Pop $0
  ${If} $0 != 1
    MessageBox MB_OK|MB_ICONEXCLAMATION "${RTLN_PRODUCT_NAME} cannot be installed in$\n$INSTDIR$\nbecause files cannot be written there. Please choose a folder of your own." /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

; A browser keeps the native messaging host running as long as the extension is on, and Windows
; replaces no program file in use: the member is asked to close the browsers first (Retry or
; Cancel). A silent install ends with exit code 2 instead, having changed nothing.
Function WaitForBrowsersToLetGoOfTheHost
  retry:
    ${IfNot} ${FileExists} "$INSTDIR\rtln_host.exe"
      Return
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\rtln_host.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      Return
    ${EndIf}
    IfSilent 0 +3
      SetErrorLevel 2
      Quit
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "A web browser is connected to ${RTLN_PRODUCT_NAME}.$\nClose Chrome, Edge and Firefox, then choose Retry to go on." IDRETRY retry
    Quit
FunctionEnd

Section "Program"
  Call WaitForBrowsersToLetGoOfTheHost
  ; Shortcuts go to the current user's desktop and Start menu, where the uninstaller looks.
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /x site.qzd "${PROGRAMDIR}\*"
  ; The browser extension, which the member loads into the browser from there.
  File /r "${PROGRAMDIR}\Browser"
  ; The member's evaluations: an empty file is an empty database. An existing one (and the
  ; session history, which the program creates) is never replaced.
  SetOverwrite off
  File "${PROGRAMDIR}\site.qzd"
  SetOverwrite on

  ; The program folder with its trailing backslash, so that file names append directly.
  WriteRegStr HKCU "${RTLN_SETTINGS_KEY}" "PathRL" "$INSTDIR\"

  ; Each browser finds the native messaging host through its key, whose default value is the
  ; full path of the host's manifest (Firefox has its own); each names rtln_host.exe beside it.
  WriteRegStr HKCU "${CHROME_HOST_KEY}" "" "$INSTDIR\rtln_host.chrome.json"
  WriteRegStr HKCU "${EDGE_HOST_KEY}" "" "$INSTDIR\rtln_host.chrome.json"
  WriteRegStr HKCU "${FIREFOX_HOST_KEY}" "" "$INSTDIR\rtln_host.firefox.json"

  CreateShortCut "$DESKTOP\${RTLN_PRODUCT_NAME}.lnk" "$INSTDIR\rtln.exe"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\${RTLN_PRODUCT_NAME}.lnk" "$INSTDIR\rtln.exe"
  CreateShortCut "${MENU_FOLDER}\${RTLN_PRODUCT_NAME} Help.lnk" "$INSTDIR\rtln.chm"
  CreateShortCut "${MENU_FOLDER}\Uninstall ${RTLN_PRODUCT_NAME}.lnk" "$INSTDIR\uni_rtln.exe"

  ; The current user's list of installed programs ("Apps & features").
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${RTLN_NAME_AND_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${RTLN_VERSION_SHORT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${RTLN_PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${RTLN_MAKER_WEB_SITE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\rtln.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uni_rtln.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd
