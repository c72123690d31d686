; SPDX-License-Identifier: MIT
; The uninstaller, Uninstall.exe, which twinvane.nsi puts beside the program.
; Built by makensis with VERSION, PUBLISHER, COPYRIGHT, ICON and OUTFILE on
; its command line (src/ui/win32/installer/CMakeLists.txt).
;
; It is an NSIS program of the installer kind, not NSIS's own uninstaller:
; that one hands its work to a copy of itself at once and ends with 0, so a
; caller of "Uninstall.exe /S" would never learn that Twinvane, still
; running, could not be removed. This one checks in the install folder
; first, ends with 2 there when the program runs, and only then goes on as
; a copy of itself in the temporary folder (started with /COPY and /D=),
; which can delete Uninstall.exe.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Twinvane"
; The main window's class (src/ui/win32/MainWindow.h).
!define MAIN_WINDOW_CLASS "TwinvaneMain"

Name "Twinvane"
Caption "Twinvane Uninstall"
OutFile "${OUTFILE}"
BrandingText "Twinvane ${VERSION}"
ShowInstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "Twinvane"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=0 "FileDescription" "Twinvane Uninstall"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_PAGE_HEADER_TEXT "Uninstalling"
!define MUI_PAGE_HEADER_SUBTEXT "Please wait while Twinvane is being uninstalled."
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "Uninstallation Complete"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "Uninstall was completed successfully."
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "Uninstallation Incomplete"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "Twinvane could not be removed completely."
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Where the copy runs from; one left by an earlier run is replaced.
!define COPY "$TEMP\Twinvane-Uninstall.exe"
!define CONFIRM_TEXT "Remove Twinvane from $INSTDIR?$\r$\nYour settings stay."
!define RUNNING_TEXT "Twinvane is running.$\r$\n$\r$\nRetry closes it (saving its settings) \
and uninstalls it; Cancel keeps it installed."
!define UNDELETED_TEXT "Some of Twinvane's files in $INSTDIR cannot be deleted.$\r$\n\
Close what uses them, then uninstall again."

Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/COPY" $1
    ${IfNot} ${Errors}
        ; The copy: the checks are done, and /D= named the folder.
        Return
    ${EndIf}
    StrCpy $INSTDIR $EXEDIR
    MessageBox MB_OKCANCEL|MB_ICONQUESTION "${CONFIRM_TEXT}" /SD IDOK IDOK +3
    SetErrorLevel 1
    Quit
    Call CloseProgram
    Delete "${COPY}"
    ClearErrors
    CopyFiles /SILENT "$EXEPATH" "${COPY}"
    ${IfNot} ${Errors}
        ${If} ${Silent}
            Exec '"${COPY}" /S /COPY /D=$INSTDIR'
        ${Else}
            Exec '"${COPY}" /COPY /D=$INSTDIR'
        ${EndIf}
    ${EndIf}
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "The uninstaller cannot run from $TEMP." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    ; Quitting here would otherwise report a failure.
    SetErrorLevel 0
    Quit
FunctionEnd

; $0: 1 while the program in $INSTDIR runs, as Windows then keeps it from
; being written; else 0. A Twinvane started from elsewhere does not count.
Function IsProgramRunning
    StrCpy $0 0
    ${If} ${FileExists} "$INSTDIR\twinvane.exe"
        ClearErrors
        ; Appending opens an existing file as it is and writes nothing.
        FileOpen $1 "$INSTDIR\twinvane.exe" a
        ${If} ${Errors}
            StrCpy $0 1
        ${Else}
            FileClose $1
        ${EndIf}
    ${EndIf}
FunctionEnd

; Posts WM_CLOSE to the main window of each Twinvane started from $INSTDIR:
; it saves the settings and ends as when the user closes it.
Function AskProgramToClose
    StrCpy $1 0
    ${Do}
        System::Call 'user32::FindWindowExW(p 0, p r1, w "${MAIN_WINDOW_CLASS}", p 0) p .r1'
        ${If} $1 = 0
            ${Break}
        ${EndIf}
        System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
        ; PROCESS_QUERY_LIMITED_INFORMATION
        System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r2) p .r3'
        ${If} $3 <> 0
            StrCpy $5 ${NSIS_MAX_STRLEN}
            System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i r5)'
            System::Call 'kernel32::CloseHandle(p r3)'
            ${If} $4 == "$INSTDIR\twinvane.exe"
                System::Call 'user32::PostMessageW(p r1, i ${WM_CLOSE}, p 0, p 0)'
            ${EndIf}
        ${EndIf}
    ${Loop}
FunctionEnd

; Returns once Twinvane no longer runs from $INSTDIR. Removing its files
; from under it would leave a program without an uninstaller, so a silent
; uninstallation fails instead, and the user decides otherwise.
Function CloseProgram
    ${Do}
        Call IsProgramRunning
        ${If} $0 = 0
            Return
        ${EndIf}
        ${If} ${Silent}
            Call WriteError
            SetErrorLevel 2
            Quit
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${RUNNING_TEXT}" IDRETRY +3
        SetErrorLevel 1
        Quit
        Call AskProgramToClose
        ; It may still be busy; give it time, then look again.
        StrCpy $6 0
        ${DoWhile} $6 < 50
            Sleep 100
            Call IsProgramRunning
            ${IfThen} $0 = 0 ${|} ${Break} ${|}
            IntOp $6 $6 + 1
        ${Loop}
    ${Loop}
FunctionEnd

; Silent, the message goes to standard error, for whoever started it.
Function WriteError
    StrCpy $7 "Twinvane is running from $INSTDIR: close it, then uninstall it.$\r$\n"
    System::Call 'kernel32::GetStdHandle(i -12) p .r9'
    System::Call 'kernel32::lstrlenA(m r7) i .r8'
    System::Call 'kernel32::WriteFile(p r9, m r7, i r8, *i .r8, p 0)'
FunctionEnd

; Removes what the installer put there and nothing else: files the user
; added keep the folder, and the settings stay for a later installation.
; The program goes first and the uninstaller last, and the entry and the
; shortcuts only with them: while a file is left, Uninstall.exe is too, and
; Apps & features can uninstall again.
Section "Twinvane"
    SetShellVarContext current
    Delete "$INSTDIR\twinvane.exe"
    ${If} ${FileExists} "$INSTDIR\twinvane.exe"
        Call FailToDelete
    ${EndIf}
    Delete "$INSTDIR\twinvane.html"
    Delete "$INSTDIR\LICENSE.txt"
    ${If} ${FileExists} "$INSTDIR\twinvane.html"
    ${OrIf} ${FileExists} "$INSTDIR\LICENSE.txt"
        Call FailToDelete
    ${EndIf}
    ; The uninstaller that started this copy is ending; wait for it.
    StrCpy $6 0
    ${Do}
        Delete "$INSTDIR\Uninstall.exe"
        ${IfNot} ${FileExists} "$INSTDIR\Uninstall.exe"
            ${Break}
        ${EndIf}
        ${If} $6 >= 100
            Call FailToDelete
        ${EndIf}
        Sleep 100
        IntOp $6 $6 + 1
    ${Loop}
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Twinvane.lnk"
    Delete "$SENDTO\Twinvane.lnk"
    DeleteRegKey HKCU "Software\Classes\*\shell\Twinvane.ChooseFile1"
    DeleteRegKey HKCU "Software\Classes\*\shell\Twinvane.CompareWithFile1"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Function FailToDelete
    MessageBox MB_OK|MB_ICONSTOP "${UNDELETED_TEXT}" /SD IDOK
    SetErrorLevel 2
    Abort
FunctionEnd
