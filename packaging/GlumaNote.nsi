; The per-user setup program of GlumaNote, in Simplified Chinese.
;
; Built by scripts/package, which passes the version and the folder of the files to ship:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.8 -DVERSION4=1.8.0.0 -DSTAGE=<folder>
;            -DOUTFILE=<setup.exe> [-DSIGN=scripts/sign] packaging/GlumaNote.nsi
; STAGE holds GlumaNote.exe (the 32-bit release build), "Gluma Note.chm" and 说明.txt.
;
; What it does:
; - installs without administrator rights into the user's own programs folder
;   ($LOCALAPPDATA\Programs\GlumaNote), adds a Start-menu shortcut, optionally a value under
;   the user's Run key, and registers its uninstaller in the user's list of programs;
; - installing again (same or older version installed) replaces the files in place: the folder
;   is the one recorded by the earlier install, and its "start at sign-in" choice is kept, read
;   back from whether its Run value exists. This holds for silent installs (/S) too; a first
;   silent install starts at sign-in, the default of the interactive one;
; - a running GlumaNote holds its program file open, so the installer and the uninstaller end
;   it first (asking, unless silent) by closing its hidden main window;
; - the uninstaller deletes exactly the files it installed and the folder only if then empty,
;   so nothing a user put beside the program is removed.

Unicode true
ManifestSupportedOS all
RequestExecutionLevel user
SetCompressor /SOLID lzma
; A file that cannot be written fails the install (silent ones with exit code 2), not skipped.
AllowSkipFiles off

!ifndef VERSION | VERSION4 | STAGE | OUTFILE
  !error "VERSION, VERSION4, STAGE and OUTFILE must be given with -D (see scripts/package)"
!endif

; With a certificate, scripts/package passes SIGN, a command that signs the program it is given
; in place: the uninstaller is signed before it goes into the setup, and the setup once written.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

; $\" is a quote inside NSIS strings.
!define PRODUCT '$\"ZQ$\"桌面格卢玛'
!define PUBLISHER "ZQ"
!define EXE "GlumaNote.exe"
!define HELP "Gluma Note.chm"
!define README "说明.txt"
!define UNINSTALLER "uninstall.exe"
; A file name cannot hold the quotes of the product name.
!define SHORTCUT "$SMPROGRAMS\桌面格卢玛.lnk"
!define UNINSTALL_PARENT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_PARENT}\GlumaNote"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Where Windows keeps the user's "disabled" mark for a Run value (Task Manager, Settings).
!define RUN_APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
!define RUN_VALUE "GlumaNote"
; The program's hidden main window (window class and caption), closed to end the program.
!define MAIN_CLASS "GlumaNoteForm"
!define MAIN_CAPTION '$\"ZQ$\"桌面格卢玛'

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\GlumaNote"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装和卸载程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION4}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "版权所有 (C) 2026 ZQ"

!define MUI_ICON "../resources/GlumaNote.ico"
!define MUI_UNICON "../resources/GlumaNote.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "此程序将引导你完成 $(^NameDA) ${VERSION} 的安装。$\r$\n$\r$\n程序只为当前用户安装，不需要管理员权限。如果它正在运行，安装时会先结束它。$\r$\n$\r$\n$_CLICK"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderWhenInstalled
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

Var Installed ; the folder of an earlier install, or empty

; Ends every running copy of GlumaNote (wherever it was started from) by closing its main
; window, and waits until the program file is free to be replaced or deleted. Aborts if the
; user says no or a copy stays.
!macro DEFINE_END_RUNNING un
Function ${un}EndRunning
  FindWindow $0 "${MAIN_CLASS}" "${MAIN_CAPTION}"
  ${If} $0 = 0
    Return
  ${EndIf}
  ${IfNot} ${Silent}
    MessageBox MB_OKCANCEL|MB_ICONQUESTION "${PRODUCT} 正在运行，必须先结束它。$\r$\n结束它会关闭所有便笺，未保存的内容将丢失。$\r$\n$\r$\n要结束它并继续吗？" IDOK +2
    Abort "${PRODUCT} 正在运行，已取消。"
  ${EndIf}
  DetailPrint "结束正在运行的 ${PRODUCT}"
  ; Copies close one by one; one that does not answer is given up after about half a minute.
  ${For} $1 1 30
    FindWindow $0 "${MAIN_CLASS}" "${MAIN_CAPTION}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=1000
    Sleep 100
  ${Next}
  ${If} $0 <> 0
    Abort "无法结束正在运行的 ${PRODUCT}。"
  ${EndIf}
  ; The window goes before the process does: wait until its file can be written again.
  ${For} $1 1 50
    ${IfNot} ${FileExists} "$INSTDIR\${EXE}"
      ${Break}
    ${EndIf}
    ClearErrors
    FileOpen $2 "$INSTDIR\${EXE}" a
    ${IfNot} ${Errors}
      FileClose $2
      ${Break}
    ${EndIf}
    Sleep 100
  ${Next}
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING ""
!insertmacro DEFINE_END_RUNNING "un."

Section "${PRODUCT}（必需）" SecProgram
  SectionIn RO
  Call EndRunning
  SetOutPath "$INSTDIR"
  File "${STAGE}/${EXE}"
  File "${STAGE}/${HELP}"
  File "${STAGE}/${README}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" "${PRODUCT} - 桌面便笺"
  ; The section below writes it again if chosen; this way an unchecked box removes it.
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
SectionEnd

Section "登录 Windows 时启动" SecStartAtSignIn
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${EXE}"'
SectionEnd

Section "-Register"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\${EXE}",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Call un.EndRunning
  ; A program file still locked stops the uninstall before anything else goes, so its
  ; entry stays to remove it later.
  ClearErrors
  Delete "$INSTDIR\${EXE}"
  IfErrors 0 +3
    MessageBox MB_OK|MB_ICONSTOP "无法删除 $INSTDIR\${EXE}，它可能仍在使用。卸载已停止，可以稍后再卸载 ${PRODUCT}。" /SD IDOK
    Abort "无法删除 $INSTDIR\${EXE}。"
  Delete "$INSTDIR\${HELP}"
  Delete "$INSTDIR\${README}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; The user's programs folder too, when empty: the install may have made it.
  RMDir "$LOCALAPPDATA\Programs"
  Delete "${SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegValue HKCU "${RUN_APPROVED_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The user's uninstall list too, when empty: this install may have made it.
  DeleteRegKey /ifempty HKCU "${UNINSTALL_PARENT}"
SectionEnd

; The uninstaller runs from a copy of itself in the temporary folder, which it cannot delete
; while it runs; nor can a user without administrator rights have it deleted at restart. So a
; hidden command deletes the copy, and its folder if empty, once this process has ended.
Function un.DeleteOwnCopy
  SetOutPath "$TEMP" ; the command's working folder: a folder in use cannot be removed
  ExecShell "" "$SYSDIR\cmd.exe" `/d /c for /l %i in (1,1,15) do @if exist "$EXEPATH" (ping -n 2 127.0.0.1 >nul & del /f "$EXEPATH" 2>nul & rd "$EXEDIR" 2>nul )` SW_HIDE
FunctionEnd

Function un.onUninstSuccess
  Call un.DeleteOwnCopy
FunctionEnd

Function un.onUninstFailed
  Call un.DeleteOwnCopy
FunctionEnd

Function .onInit
  ; An earlier install: keep its folder and its "start at sign-in" choice.
  ReadRegStr $Installed HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $Installed != ""
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == ""
      !insertmacro UnselectSection ${SecStartAtSignIn}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SkipFolderWhenInstalled
  ; Installing again replaces the files where they are, so there is no folder to choose.
  ${If} $Installed != ""
    Abort
  ${EndIf}
FunctionEnd
