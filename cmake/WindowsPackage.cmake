# Windows: everything the program needs lies in one folder (the Qt DLLs, the platform and style
# plugins, the MinGW runtime, Qt's Chinese translations), packed by CPack as an NSIS installer
# and as a zip that runs from wherever it is unpacked.
get_target_property(KURVON_QT_CORE_DLL Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(KURVON_QT_BIN ${KURVON_QT_CORE_DLL} DIRECTORY)
get_filename_component(KURVON_QT_PREFIX ${KURVON_QT_BIN} DIRECTORY)
set(KURVON_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH
  "Qt's .qm files (the same on every system; Debian's qt6-translations-l10n)")

# The MinGW runtime the compiler links against, found where the compiler keeps it.
set(KURVON_MINGW_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}")
    find_file(found_${dll} ${dll} PATHS /usr/x86_64-w64-mingw32/lib NO_CMAKE_FIND_ROOT_PATH
      NO_DEFAULT_PATH)
    set(found ${found_${dll}})
  endif()
  list(APPEND KURVON_MINGW_DLLS ${found})
endforeach()

install(TARGETS kurvon kurvon_console RUNTIME DESTINATION .)
install(FILES ${KURVON_QT_BIN}/Qt6Core.dll ${KURVON_QT_BIN}/Qt6Gui.dll
  ${KURVON_QT_BIN}/Qt6Widgets.dll ${KURVON_MINGW_DLLS} DESTINATION .)
# qoffscreen draws the command-line pictures (--render, --cycles-picture) without a window.
install(FILES ${KURVON_QT_PREFIX}/plugins/platforms/qwindows.dll
  ${KURVON_QT_PREFIX}/plugins/platforms/qoffscreen.dll DESTINATION platforms)
install(DIRECTORY ${KURVON_QT_PREFIX}/plugins/styles/ DESTINATION styles
  FILES_MATCHING PATTERN "*.dll")
install(FILES ${KURVON_QT_TRANSLATIONS}/qt_zh_CN.qm ${KURVON_QT_TRANSLATIONS}/qtbase_zh_CN.qm
  DESTINATION translations)
# Qt looks for plugins and translations beside the program, not in the prefix it was built for.
install(FILES ${PROJECT_SOURCE_DIR}/res/qt.conf DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Kurvon)
set(CPACK_PACKAGE_VENDOR Kurvon)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for battery charge/discharge test data")
set(CPACK_PACKAGE_FILE_NAME kurvon-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kurvon)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kurvon)
set(CPACK_PACKAGE_EXECUTABLES kurvon "Kurvon 电池检测曲线")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME "Kurvon 电池检测曲线")
set(CPACK_NSIS_PACKAGE_NAME "Kurvon 电池检测曲线")
set(CPACK_NSIS_INSTALLED_ICON_NAME kurvon.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/res/IDR_MAINFRAME.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/res/IDR_MAINFRAME.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# .kvd opens in Kurvon on a double click; the uninstaller takes the type away again, the
# extension only while it still points here.
set(kvd "Software\\\\Classes\\\\Kurvon.kvd")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  SetRegView 64
  WriteRegStr HKLM 'Software\\\\Classes\\\\.kvd' '' 'Kurvon.kvd'
  WriteRegStr HKLM '${kvd}' '' 'Kurvon 电池检测数据'
  WriteRegStr HKLM '${kvd}\\\\DefaultIcon' '' '$INSTDIR\\\\kurvon.exe,0'
  WriteRegStr HKLM '${kvd}\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\kurvon.exe\\\" \\\"%1\\\"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  SetRegView 64
  DeleteRegKey HKLM '${kvd}'
  ReadRegStr $0 HKLM 'Software\\\\Classes\\\\.kvd' ''
  StrCmp $0 'Kurvon.kvd' 0 +2
    DeleteRegKey HKLM 'Software\\\\Classes\\\\.kvd'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")

# CPack's installer script is a 32-bit ANSI one; Chinese names need Unicode, and a 64-bit installer
# for a 64-bit program runs where 32-bit programs do not (Wine without wine32). The stock template,
# read from this CMake, gets that one line after its first (which starts with a byte-order mark).
set(KURVON_NSIS_TEMPLATE_DIR ${CMAKE_BINARY_DIR}/nsis-template)
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in KURVON_NSIS_TEMPLATE)
string(FIND "${KURVON_NSIS_TEMPLATE}" "\n" KURVON_FIRST_LINE_END)
math(EXPR KURVON_FIRST_LINE_END "${KURVON_FIRST_LINE_END} + 1")
string(SUBSTRING "${KURVON_NSIS_TEMPLATE}" 0 ${KURVON_FIRST_LINE_END} KURVON_NSIS_FIRST)
string(SUBSTRING "${KURVON_NSIS_TEMPLATE}" ${KURVON_FIRST_LINE_END} -1 KURVON_NSIS_REST)
# The uninstaller also takes away the vendor's key once it is empty.
string(REPLACE
  "DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\""
  "DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"\n  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\""
  KURVON_NSIS_REST "${KURVON_NSIS_REST}")
file(WRITE ${KURVON_NSIS_TEMPLATE_DIR}/NSIS.template.in
  "${KURVON_NSIS_FIRST}Target amd64-unicode\n${KURVON_NSIS_REST}")
list(PREPEND CMAKE_MODULE_PATH ${KURVON_NSIS_TEMPLATE_DIR})
include(CPack)
