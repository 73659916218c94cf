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
# The installer's script is the project's own (packaging/windows/NSIS.template.in, with its
# options page): CPack fills in the files, the version and the names below. The PATH is changed
# by tarvelon-install-helper.exe, never by the script itself.
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
# The program, whose icon "Apps & features" shows beside the uninstaller.
set(CPACK_NSIS_INSTALLED_ICON_NAME tarvelon-manager.exe)
set(CPACK_TARVELON_FILE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
# The header and side pictures: the program's icon, made from it once with ImageMagick
# (150x57 and 164x314, 24-bit BMP as NSIS needs).
set(CPACK_TARVELON_HEADER_BITMAP ${PROJECT_SOURCE_DIR}/packaging/windows/header.bmp)
set(CPACK_TARVELON_SIDE_BITMAP ${PROJECT_SOURCE_DIR}/packaging/windows/welcome.bmp)
# Help and web links of the entry in "Apps & features": the maker's as the about box shows them.
set(CPACK_NSIS_HELP_LINK "https://www.tarvelon.example/manuals/TARVELONmanuale.pdf")
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.tarvelon.example")
set(CPACK_NSIS_CONTACT "support@tarvelon.example")
set(CPACK_TARVELON_HELP_TELEPHONE "+39 0471 555 0192")
# Code signing (scripts/package-windows, with a certificate only): every executable before it
# is packed, then the uninstaller and the installer as makensis writes them.
set(TARVELON_SIGN_SCRIPT "" CACHE FILEPATH "A program that signs the Windows file it is given in place (scripts/sign-windows)")
if(TARVELON_SIGN_SCRIPT)
    set(CPACK_TARVELON_SIGN_SCRIPT ${TARVELON_SIGN_SCRIPT})
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/windows-sign-staged.cmake)
    set(CPACK_TARVELON_SIGN_CODE
        "  !finalize '\"${TARVELON_SIGN_SCRIPT}\" \"%1\"' = 0\n  !uninstfinalize '\"${TARVELON_SIGN_SCRIPT}\" \"%1\"' = 0")
else()
    set(CPACK_TARVELON_SIGN_CODE "")
endif()
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
