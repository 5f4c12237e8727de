; The Framewright installer, for 64-bit and 32-bit Windows.
;
; scripts/build-installer.sh builds both targets; by hand:
;   makensis -DTARGET=x64 -DBUILD_DIR=/abs/build/win64 -DHELP_PDF=/abs/build/help/Help.pdf \
;            -DDATA_DIR=/abs/data -DDATA_FILES=/abs/data-files.nsh -DVERSION=1.0.0.0 \
;            -DOUTFILE=/abs/Framewright-Setup-x64.exe installer/framewright.nsi
;
; DATA_FILES is an include that defines the macros InstallDataFiles and
; UninstallDataFiles with one line per file of data/CVarGroups, so that the
; uninstaller removes exactly the files that this installer brought.
;
; Silent use: Framewright-Setup-x64.exe /S [/D=C:\Other Folder]
;             Uninstall.exe /S            (or /S _?=<folder> to wait for it)

Unicode true
ManifestSupportedOS all
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!macro RequireDefine NAME
  !ifndef ${NAME}
    !error "Define ${NAME} on the command line (see the head of this file)"
  !endif
!macroend
!insertmacro RequireDefine TARGET
!insertmacro RequireDefine BUILD_DIR
!insertmacro RequireDefine HELP_PDF
!insertmacro RequireDefine DATA_DIR
!insertmacro RequireDefine DATA_FILES
!insertmacro RequireDefine VERSION
!insertmacro RequireDefine OUTFILE

!if "${TARGET}" == "x64"
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\Brimvale\Framewright"
  ; A 64-bit program is listed in the 64-bit view of Add/Remove Programs.
  !define UNINSTALL_VIEW 64
!else if "${TARGET}" == "x86"
  Target x86-unicode
  InstallDir "$PROGRAMFILES\Brimvale\Framewright"
  !define UNINSTALL_VIEW 32
!else
  !error "TARGET must be x64 or x86, not ${TARGET}"
!endif

; Both builds of the program keep their settings in the 32-bit view, so the
; key is made there whatever the target.
!define SETTINGS_KEY "SOFTWARE\Brimvale\Tallyrun"
!define MAKER_KEY "SOFTWARE\Brimvale"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brimvale Framewright"
!define START_MENU "$SMPROGRAMS\Framewright"
; A value name no version of the program reads.
!define KEY_MARKER "FramewrightSetupMarker"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "${DATA_FILES}"

Name "Brimvale Framewright"
OutFile "${OUTFILE}"
BrandingText "Brimvale Framewright ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Brimvale Framewright"
VIAddVersionKey "CompanyName" "Brimvale"
VIAddVersionKey "FileDescription" "Brimvale Framewright Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Brimvale"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\framewright.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Help.pdf"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Open the manual"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The manifest asks Vista and later for elevation; Windows XP has no such
; request, so a limited account is stopped here before it fails half-way.
!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "Brimvale Framewright can only be installed or removed from an administrator account." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RequireAdministrator
FunctionEnd

Function un.onInit
  !insertmacro RequireAdministrator
FunctionEnd

Section "Framewright" SecProgram
  SectionIn RO
  SetShellVarContext all

  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}/framewright.exe"
  File "${HELP_PDF}"
  ; The demos the program copies into the game's levels when they are missing.
  File "${DATA_DIR}/demos/benchmark_gpu.tmd"
  File "${DATA_DIR}/demos/coredemo.tmd"
  File "${DATA_DIR}/demos/benchmark_cpuice.tmd"
  File "${DATA_DIR}/demos/benchmark_cpuisland.tmd"
  !insertmacro InstallDataFiles
  SetOutPath "$INSTDIR"

  ; The program never creates its settings key: an existing key is its sign
  ; of a proper installation. NSIS makes a key only by writing a value into
  ; it, so a marker value is written and taken away again; the values of an
  ; earlier installation stay as they are.
  SetRegView 32
  ClearErrors
  WriteRegStr HKLM "${SETTINGS_KEY}" "${KEY_MARKER}" ""
  DeleteRegValue HKLM "${SETTINGS_KEY}" "${KEY_MARKER}"
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "The settings key HKEY_LOCAL_MACHINE\${SETTINGS_KEY} could not be created." /SD IDOK
    SetErrorLevel 5 ; ERROR_ACCESS_DENIED
    Abort
  ${EndIf}

  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\Framewright.lnk" "$INSTDIR\framewright.exe"
  CreateShortcut "${START_MENU}\Help.lnk" "$INSTDIR\Help.pdf"
  CreateShortcut "${START_MENU}\Uninstall.lnk" "$INSTDIR\Uninstall.exe"

  SetRegView ${UNINSTALL_VIEW}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Brimvale Framewright"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Brimvale"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\framewright.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all

  Delete "$INSTDIR\framewright.exe"
  Delete "$INSTDIR\Help.pdf"
  Delete "$INSTDIR\benchmark_gpu.tmd"
  Delete "$INSTDIR\coredemo.tmd"
  Delete "$INSTDIR\benchmark_cpuice.tmd"
  Delete "$INSTDIR\benchmark_cpuisland.tmd"
  !insertmacro UninstallDataFiles
  Delete "$INSTDIR\Uninstall.exe"
  ; Reports and screenshots are the user's: their folders go only when empty,
  ; and with them the program's folder.
  RMDir "$INSTDIR\Benchmark"
  RMDir "$INSTDIR\ScreenShots"
  RMDir "$INSTDIR"
  ; The maker's folder goes with its last program; a parent folder of the
  ; user's own choosing stays.
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} "$0" $1
  ${If} $1 == "Brimvale"
    RMDir "$0"
  ${EndIf}

  Delete "${START_MENU}\Framewright.lnk"
  Delete "${START_MENU}\Help.lnk"
  Delete "${START_MENU}\Uninstall.lnk"
  RMDir "${START_MENU}"

  ; The settings go with the program; installing again makes the key anew.
  SetRegView 32
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "${MAKER_KEY}"

  SetRegView ${UNINSTALL_VIEW}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
