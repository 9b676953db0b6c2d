; The Windows installer: Belfrix, veskcomp and veskquery with the sample directory and outline map,
; a Start-menu entry and the .bx0 document type; the uninstaller takes all of it away again.
; makensis -DVERSION=0.5 -DBELFRIX=Belfrix.exe -DVESKCOMP=veskcomp.exe -DVESKQUERY=veskquery.exe
;          -DSAMPLE=folder-with-vesk.dat -DDATA=folder-with-map.dat -DOUTFILE=setup.exe belfrix.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Belfrix"
!define DOCUMENT_TYPE "Belfrix.Document"

Name "Belfrix ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Belfrix"
RequestExecutionLevel admin

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${BELFRIX}"
  File "${VESKCOMP}"
  File "${VESKQUERY}"
  File "${SAMPLE}/vesk.dat"
  File "${DATA}/map.dat"
  File "${DATA}/GSHHG-LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The viewer reads vesk.dat and map.dat from its working folder, which a shortcut takes from
  ; the output folder: the installation folder, where they are.
  CreateDirectory "$SMPROGRAMS\Belfrix"
  CreateShortcut "$SMPROGRAMS\Belfrix\Belfrix.lnk" "$INSTDIR\Belfrix.exe"
  CreateShortcut "$SMPROGRAMS\Belfrix\Uninstall Belfrix.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "Software\Classes\.bx0" "" "${DOCUMENT_TYPE}"
  WriteRegStr HKLM "Software\Classes\${DOCUMENT_TYPE}" "" "Vesk Document"
  WriteRegStr HKLM "Software\Classes\${DOCUMENT_TYPE}\DefaultIcon" "" "$INSTDIR\Belfrix.exe,0"
  WriteRegStr HKLM "Software\Classes\${DOCUMENT_TYPE}\shell\open\command" "" '"$INSTDIR\Belfrix.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; file types changed

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Belfrix"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Belfrix.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Belfrix\Belfrix.lnk"
  Delete "$SMPROGRAMS\Belfrix\Uninstall Belfrix.lnk"
  RMDir "$SMPROGRAMS\Belfrix"

  ; The document type goes only while it is still ours.
  ReadRegStr $0 HKLM "Software\Classes\.bx0" ""
  StrCmp $0 "${DOCUMENT_TYPE}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.bx0"
  DeleteRegKey HKLM "Software\Classes\${DOCUMENT_TYPE}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  Delete "$INSTDIR\Belfrix.exe"
  Delete "$INSTDIR\veskcomp.exe"
  Delete "$INSTDIR\veskquery.exe"
  Delete "$INSTDIR\vesk.dat"
  Delete "$INSTDIR\map.dat"
  Delete "$INSTDIR\GSHHG-LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
