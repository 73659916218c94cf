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
set(CPACK_PACKAGE_NAME "Tarvelon Manager")
set(CPACK_PACKAGE_VENDOR "Tarvelon")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Communication software with incremental readout unit Tarvelon")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tarvelon Manager")
# One entry in "Apps & features", whatever the version: a new one replaces the old.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Tarvelon Manager")
set(CPACK_PACKAGE_FILE_NAME "TarvelonManager-${PROJECT_VERSION}-win64")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
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
