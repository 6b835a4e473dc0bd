; The setup program of Orvik for Windows, made with makensis by the
; orvik_setup target (windows/program.cmake) from the installed files:
;   makensis -INPUTCHARSET UTF8 -DVERSION=0.1 -DFILES=<directory of the file lists>
;            -DICON=data/orvik.ico -DOUTFILE=<setup.exe> orvik.nsi
; (windows/nsisfiles.cmake writes the lists from the installed files).
; Installs into the 32-bit program files directory with a Start-menu
; shortcut and an entry in the system's list of installed programs. An older
; Orvik there is first removed by its own uninstaller, so an upgrade replaces
; it in place. Uninstalling removes exactly the files it installed: the
; user's settings (in the registry), the work files and a multidll.dll the
; shop placed beside the program all stay.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; The name a shop expects ends in "setup.exe", whatever shims Windows
; attaches to such names.
!pragma warning disable 9000

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Orvik"
!define PUBLISHER "Norvala Oy"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvik"
; Where the installed directory is remembered for an upgrade.
!define PRODUCT_KEY "Software\Norvala Oy\Orvik"
; The program's working directory: the work files when no directory is set.
!define WORK_DIR "$DOCUMENTS\Orvik"

Name "${PRODUCT} ${VERSION}"
Caption "${PRODUCT} ${VERSION} – asennus"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\${PRODUCT}"
InstallDirRegKey HKLM "${PRODUCT_KEY}" "InstallDir"
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1035 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1035 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1035 "FileDescription" "${PRODUCT} – asennusohjelma"
VIAddVersionKey /LANG=1035 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1035 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1035 "LegalCopyright" "© ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\orvik.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Käynnistä Orvik"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Finnish"

Function .onInit
    ; The shortcut and the work directory are every user's.
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section "Orvik" SecProgram
    SectionIn RO
    ; An older Orvik here goes first, by its own uninstaller, run in place
    ; (_?=) so that it is done before the new files come.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\uninstall.exe"
        DetailPrint "Poistetaan edellinen versio: $0"
        ExecWait '"$0\uninstall.exe" /S _?=$0'
        Delete "$0\uninstall.exe"
    ${EndIf}

    SetOutPath "$INSTDIR"
    !include "${FILES}\install.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "${WORK_DIR}"
    SetOutPath "${WORK_DIR}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\orvik.exe" "" "$INSTDIR\orvik.exe" 0 \
        SW_SHOWNORMAL "" "Kaupan inventaario-ohjelma"

    WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orvik.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    ; Only the files this version installed: a multidll.dll of the shop's
    ; own and anything else in the directory stay, and so does the directory
    ; while anything is left in it.
    !include "${FILES}\uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKLM "Software\Norvala Oy"
SectionEnd
