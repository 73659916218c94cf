# The Windows build: a static Qt's offscreen platform in every program (the tests run with
# "-platform offscreen" under wine), and the NSIS installer of what the install rules name.

# With a static Qt only the plugins linked in exist; the windows platform comes by default.
function(tarvelon_import_offscreen_platform dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir ${subdirs})
        tarvelon_import_offscreen_platform(${subdir})
    endforeach()
endfunction()
if(TARVELON_WITH_QT AND TARGET Qt6::QOffscreenIntegrationPlugin)
    get_target_property(qt_core_type Qt6::Core TYPE)
    if(qt_core_type STREQUAL "STATIC_LIBRARY")
        # Deferred, so the executables of every folder, read before or after this one, are seen.
        cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR}
                       CALL tarvelon_import_offscreen_platform ${PROJECT_SOURCE_DIR})
    endif()
endif()

set(CPACK_GENERATOR NSIS)
# The NSIS lines below reach the script exactly as written (${GetSize}, backslashes).
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME "Tarvelon Manager")
# One publisher name everywhere: the settings' organisation, the machine key, "Apps & features".
set(CPACK_PACKAGE_VENDOR "Tarvelon Instruments")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Communication software with incremental readout unit Tarvelon")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tarvelon Manager")
# One entry in "Apps & features", whatever the version: a new one replaces the old.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Tarvelon Manager")
set(CPACK_PACKAGE_FILE_NAME "TarvelonManager-${PROJECT_VERSION}-win64")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt)
set(CPACK_NSIS_DISPLAY_NAME "Tarvelon Manager")
set(CPACK_NSIS_PACKAGE_NAME "Tarvelon Manager")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/packaging/tarvelon-manager.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/packaging/tarvelon-manager.ico)
# The icon and the name "Apps & features" shows beside the uninstaller.
set(CPACK_NSIS_INSTALLED_ICON_NAME tarvelon-manager.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A Start menu entry for the program, which sits at the top of the installed folder.
set(CPACK_PACKAGE_EXECUTABLES tarvelon-manager "Tarvelon Manager")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN tarvelon-manager.exe)
# The program's folder on the PATH (for every user, chosen by default on the options page and
# in a silent install), so `tarvelon` runs from any command prompt or batch file.
set(CPACK_NSIS_MODIFY_PATH ON)
# CMake's own NSIS script, with the program at the top of the installed folder rather than in
# bin\, the folder size NSIS needs for "Apps & features" and our default for the PATH.
set(tarvelon_nsis_templates ${PROJECT_BINARY_DIR}/nsis-templates)
function(tarvelon_patch_template name)
    file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/${name} text)
    math(EXPR last "${ARGC} - 1")
    foreach(i RANGE 1 ${last} 2)
        math(EXPR j "${i} + 1")
        string(FIND "${text}" "${ARGV${i}}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "CPack's ${name} no longer holds: ${ARGV${i}}")
        endif()
        string(REPLACE "${ARGV${i}}" "${ARGV${j}}" text "${text}")
    endforeach()
    file(WRITE ${tarvelon_nsis_templates}/${name} "${text}")
endfunction()
tarvelon_patch_template(NSIS.template.in
    "Push $INSTDIR\\bin" "Push $INSTDIR"
    "!include Sections.nsh" "!include Sections.nsh\n  !include FileFunc.nsh")
tarvelon_patch_template(NSIS.InstallOptions.ini.in
    "By default @CPACK_PACKAGE_INSTALL_DIRECTORY@ does not add its directory to the system PATH."
    "@CPACK_PACKAGE_INSTALL_DIRECTORY@ can add its folder to the PATH, so that tarvelon runs from any command prompt."
    "Bottom=40\nState=1" "Bottom=40\nState=0"
    "Bottom=50\nState=0" "Bottom=50\nState=1")
list(PREPEND CMAKE_MODULE_PATH ${tarvelon_nsis_templates})
set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}")
# The uninstall entry as Windows documents it: DWORD flags, the size in KiB, the folder.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegDWORD SHCTX '${uninstall_key}' 'NoModify' 1
  WriteRegDWORD SHCTX '${uninstall_key}' 'NoRepair' 1
  WriteRegStr SHCTX '${uninstall_key}' 'InstallLocation' '$INSTDIR'
  \${GetSize} '$INSTDIR' '/S=0K' $0 $1 $2
  IntFmt $0 '0x%08X' $0
  WriteRegDWORD SHCTX '${uninstall_key}' 'EstimatedSize' $0
")
# The header file and a lock a running program left are the program's own, rebuilt at every
# start: they go with the folder. The user's settings, survey library and downloads stay.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  Delete '$INSTDIR\\intestazione'
  Delete '$INSTDIR\\intestazione.lock'
  DeleteRegKey SHCTX 'Software\\${CPACK_PACKAGE_VENDOR}\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'
  DeleteRegKey /ifempty SHCTX 'Software\\${CPACK_PACKAGE_VENDOR}'
")
# The programs without their symbols: a third of the size to download.
set(CPACK_STRIP_FILES ON)
# makensis makes a 32-bit installer unless told otherwise, and CPack passes no option with a
# space in it, so a wrapper asks for the 64-bit one.
find_program(TARVELON_MAKENSIS makensis)
if(TARVELON_MAKENSIS)
    set(makensis64 ${PROJECT_BINARY_DIR}/makensis64)
    file(WRITE ${makensis64} "#!/bin/sh\nexec \"${TARVELON_MAKENSIS}\" \"-XTarget amd64-unicode\" \"$@\"\n")
    file(CHMOD ${makensis64} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CPACK_NSIS_EXECUTABLE ${makensis64})
endif()
include(CPack)
