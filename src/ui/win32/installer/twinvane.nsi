; SPDX-License-Identifier: MIT
; The Windows installer: per user, no elevation. Built by makensis with the
; build's facts on its command line (src/ui/win32/installer/CMakeLists.txt):
; VERSION, PUBLISHER, COPYRIGHT, PROGRAM, GUIDE, LICENSE_FILE, ICON, OUTFILE,
; and UNINSTALLER, Uninstall.exe as uninstall.nsi builds it.

; Debian's Wine runs 64-bit programs only, and NSIS's default 32-bit stub
; does not start there; Twinvane is a 64-bit program anyway.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
; A file that cannot be replaced (the program is running) offers Retry or
; Cancel, and a silent installation fails: skipping it would leave the old
; program behind an installation reported as done.
AllowSkipFiles off
ManifestSupportedOS all
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define SETTINGS_KEY "Software\Varnook\Twinvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Twinvane"
; Explorer's context menu of every file, for this user.
!define VERB_KEY "Software\Classes\*\shell"

Name "Twinvane"
OutFile "${OUTFILE}"
BrandingText "Twinvane ${VERSION}"
; The user's own programs folder, as Windows' per-user installers use it;
; .onInit puts an earlier installation's folder in its place.
InstallDir "$LOCALAPPDATA\Programs\Twinvane"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "Twinvane"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=0 "FileDescription" "Twinvane Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\twinvane.exe"
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderWhenUpdating
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Var updating

; One installation per user: an earlier one is updated in its own folder,
; whatever /D= names. Installing beside it instead would leave two, and the
; uninstall entry and the shortcuts could name only one of them: the other
; would be orphaned. Updating in place also keeps the settings as they are.
Function .onInit
    StrCpy $updating 0
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        StrCpy $INSTDIR $0
        StrCpy $updating 1
    ${EndIf}
FunctionEnd

Function SkipFolderWhenUpdating
    ${If} $updating = 1
        Abort
    ${EndIf}
FunctionEnd

Section "Twinvane"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "/oname=twinvane.exe" "${PROGRAM}"
    ; Help falls back to the guide beside the program.
    File "/oname=twinvane.html" "${GUIDE}"
    File "/oname=LICENSE.txt" "${LICENSE_FILE}"
    File "/oname=Uninstall.exe" "${UNINSTALLER}"

    CreateShortcut "$SMPROGRAMS\Twinvane.lnk" "$INSTDIR\twinvane.exe"
    ; Explorer puts the files sent after the program's name: two of them
    ; are compared at once, one opens the window as File 1.
    CreateShortcut "$SENDTO\Twinvane.lnk" "$INSTDIR\twinvane.exe" "--compare"
    Call AddFileManagerVerbs

    ; Help looks in the install folder the settings name. A value already
    ; there is the user's, whatever its type: it stays.
    Call SetInstallFolderUnlessPresent

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Twinvane"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\twinvane.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; "Choose as File 1" now, "Compare with <File 1>" later, from any folder.
; Twinvane renames the second whenever File 1 changes, and hides it while
; there is none; here it starts as the stored File 1 says.
Function AddFileManagerVerbs
    WriteRegStr HKCU "${VERB_KEY}\Twinvane.ChooseFile1" "MUIVerb" "Choose as File 1 for Twinvane"
    WriteRegStr HKCU "${VERB_KEY}\Twinvane.ChooseFile1" "Icon" "$INSTDIR\twinvane.exe,0"
    WriteRegStr HKCU "${VERB_KEY}\Twinvane.ChooseFile1\command" "" \
        '"$INSTDIR\twinvane.exe" --file1 "%1"'
    WriteRegStr HKCU "${VERB_KEY}\Twinvane.CompareWithFile1" "Icon" "$INSTDIR\twinvane.exe,0"
    WriteRegStr HKCU "${VERB_KEY}\Twinvane.CompareWithFile1\command" "" \
        '"$INSTDIR\twinvane.exe" --compare-with-file1 "%1"'
    ReadRegStr $0 HKCU "${SETTINGS_KEY}" "File 1"
    ${If} $0 == ""
        WriteRegStr HKCU "${VERB_KEY}\Twinvane.CompareWithFile1" "MUIVerb" \
            "Compare with File 1 in Twinvane"
        WriteRegStr HKCU "${VERB_KEY}\Twinvane.CompareWithFile1" "ProgrammaticAccessOnly" ""
    ${Else}
        ${GetFileName} $0 $1
        WriteRegStr HKCU "${VERB_KEY}\Twinvane.CompareWithFile1" "MUIVerb" \
            "Compare with $1 in Twinvane"
        DeleteRegValue HKCU "${VERB_KEY}\Twinvane.CompareWithFile1" "ProgrammaticAccessOnly"
    ${EndIf}
FunctionEnd

; ReadRegStr cannot tell an absent value from one of another type, so the
; value names are listed instead.
Function SetInstallFolderUnlessPresent
    StrCpy $0 0
    ${Do}
        ClearErrors
        EnumRegValue $1 HKCU "${SETTINGS_KEY}" $0
        ${If} ${Errors}
            WriteRegStr HKCU "${SETTINGS_KEY}" "Install" "$INSTDIR"
            Return
        ${EndIf}
        ${If} $1 == "Install"
            Return
        ${EndIf}
        IntOp $0 $0 + 1
    ${Loop}
FunctionEnd
