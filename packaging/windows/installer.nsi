; The Kelmot installer: the game for the current user, without administrator
; rights, in the per-user programs folder, the Start menu and the list of
; installed apps. The build makes it (make windows-installer) with
;   makensis -DVERSION=1.1.0 -DPROGRAM=.../kelmot.exe -DPICTURES=.../Data
;            -DICON=.../kelmot.ico -DLICENSE=.../LICENSE.txt "-DCOPYRIGHT=2026 ..."
;            -DOUTFILE=.../kelmot-1.1.0-setup.exe installer.nsi
; Both it and its uninstaller take /S to run without asking; the uninstaller
; also takes /REMOVEPREFS, which removes the player's prefs.txt as well.

; A 64-bit installer, like the game it installs.
Target amd64-unicode
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelmot"
!define PUBLISHER "Kelmot"

Name "Kelmot"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Kelmot"
; Installing again goes where the game already is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
; The installed files are dated when they are installed: the installer keeps
; no times of the files it was made from, so the same commit gives the same
; installer.
SetDateSave off
BrandingText "Kelmot ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Kelmot"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Kelmot ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) ${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install Kelmot, tic-tac-toe in one window, for you alone: in your own programs folder, with a shortcut in the Start menu. It needs no administrator rights.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Play Kelmot now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartGame

!insertmacro MUI_PAGE_WELCOME
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Kelmot is free software under the MIT licence: you may use, copy, change and give it away, with this notice. Click Next to continue."
!define MUI_LICENSEPAGE_BUTTON "&Next >"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The game's five pictures, by name: installed, and removed again, one by one,
; so that a picture the player added stays.
!macro ForEachPicture command folder
    ${command} "${folder}blue.bmp"
    ${command} "${folder}stars.bmp"
    ${command} "${folder}pointer.bmp"
    ${command} "${folder}pointermask.bmp"
    ${command} "${folder}screen.bmp"
!macroend
!define ForEachPicture "!insertmacro ForEachPicture"

Section "Kelmot" GameSection
    SectionIn RO
    SetOutPath "$INSTDIR\Data"
    ${ForEachPicture} File "${PICTURES}/"
    ; The working folder of the shortcuts below: the game reads Data\ and keeps
    ; prefs.txt there.
    SetOutPath "$INSTDIR"
    File "${PROGRAM}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\Kelmot.lnk" "$INSTDIR\kelmot.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kelmot"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kelmot.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; The size the list of apps shows, in KiB.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "A shortcut on the desktop" DesktopSection
    SetOutPath "$INSTDIR"
    CreateShortCut "$DESKTOP\Kelmot.lnk" "$INSTDIR\kelmot.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${GameSection} "The game and its pictures, with a shortcut in the Start menu."
    !insertmacro MUI_DESCRIPTION_TEXT ${DesktopSection} "A shortcut to the game on the desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Started from the finish page in the game's own folder, as the shortcuts do.
Function StartGame
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\kelmot.exe"'
FunctionEnd

Section "un.Kelmot" UninstallGameSection
    SectionIn RO
    Delete "$INSTDIR\kelmot.exe"
    ${ForEachPicture} Delete "$INSTDIR\Data\"
    RMDir "$INSTDIR\Data"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$SMPROGRAMS\Kelmot.lnk"
    Delete "$DESKTOP\Kelmot.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.My options (prefs.txt)" RemoveOptionsSection
    Delete "$INSTDIR\prefs.txt"
    Delete "$INSTDIR\prefs.txt.new"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${UninstallGameSection} "The game, its pictures and its shortcuts."
    !insertmacro MUI_DESCRIPTION_TEXT ${RemoveOptionsSection} "Your options, kept in prefs.txt: left in place unless this is ticked, ready for when you play again."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

; The folder goes only when nothing is left in it.
Section "-un.Folder"
    RMDir "$INSTDIR"
SectionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVEPREFS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${RemoveOptionsSection}
    ${EndIf}
FunctionEnd
