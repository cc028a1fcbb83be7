; The per-user installer of orblinec.exe: into %LOCALAPPDATA%\Programs\Orbline, on the user's PATH,
; with an uninstaller that takes both away again. Needs no administrator. Built by
; scripts/package.sh: makensis -DVERSION=... -DSTAGE=<folder of the files> -DOUTFILE=... orblinec.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

Name "orblinec (Zelkor Maker) ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Orbline"
ShowInstDetails show
ShowUninstDetails show
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Japanese.nlf"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbline"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}\orblinec.exe"
  File "${STAGE}\orbline-path.exe"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\sample"
  File "${STAGE}\sample\*.txt"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "orblinec (Zelkor Maker) ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; PATH is changed by a program of its own: NSIS strings would cut a long PATH at 1,024 characters.
  ExecWait '"$INSTDIR\orbline-path.exe" add "$INSTDIR"' $0
  StrCmp $0 0 +2
    MessageBox MB_ICONEXCLAMATION "PATH に $INSTDIR を加えられませんでした。" /SD IDOK
  DetailPrint "PATH に $INSTDIR を加えました。新しく開いたコマンドプロンプトから orblinec を使えます。"
SectionEnd

Section "Uninstall"
  ; The folder as the installer put it on the PATH; the uninstaller may have been started by
  ; another path to the same folder.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" +2
    ExecWait '"$INSTDIR\orbline-path.exe" remove "$0"'
  ExecWait '"$INSTDIR\orbline-path.exe" remove "$INSTDIR"'
  Delete "$INSTDIR\orblinec.exe"
  Delete "$INSTDIR\orbline-path.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\sample\*.txt"
  RMDir "$INSTDIR\sample"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
