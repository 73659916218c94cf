# cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder> -P install_check.cmake
#
# Installs the build into PREFIX and checks that a Linux desktop finds the program, its menu
# entry and its icon; then runs the installed program as a user who may not write beside it
# and checks that its header file went to that user's application-data folder.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR PREFIX)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "install_check.cmake needs -D${var}=...")
    endif()
endforeach()

# As root the installed program runs as another user, who must be able to reach it: a build
# inside a private folder (a clone under /root or in a mktemp -d folder) is out of that user's
# reach, so the installation is staged in a fresh temporary folder everyone may enter.
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
set(stage "")
if(uid STREQUAL "0")
    execute_process(COMMAND mktemp -d RESULT_VARIABLE rc OUTPUT_VARIABLE stage OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "mktemp -d failed")
    endif()
    file(CHMOD "${stage}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                 WORLD_READ WORLD_EXECUTE)
    set(PREFIX "${stage}/prefix")
endif()

# Every failure removes the staging folder first.
function(fail text)
    if(stage)
        file(REMOVE_RECURSE "${stage}")
    endif()
    message(FATAL_ERROR "${text}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    fail("cmake --install failed (${rc}):\n${out}")
endif()

set(desktop_file "${PREFIX}/share/applications/tarvelon-manager.desktop")
foreach(f bin/tarvelon-manager bin/tarvelon bin/tarvelon-unit-sim bin/tarvelon-demo
          share/applications/tarvelon-manager.desktop
          share/icons/hicolor/scalable/apps/tarvelon-manager.svg
          share/metainfo/tarvelon-manager.metainfo.xml
          share/man/man1/tarvelon.1 share/man/man1/tarvelon-manager.1
          share/doc/tarvelon-manager/TARVELONmanual.pdf share/doc/tarvelon-manager/TARVELONmanuale.pdf
          share/doc/TarvelonManager/LICENSE share/doc/TarvelonManager/THIRD-PARTY-NOTICES.txt)
    if(NOT EXISTS "${PREFIX}/${f}")
        fail("not installed: ${f}\n${out}")
    endif()
endforeach()
foreach(program tarvelon-manager tarvelon-unit-sim tarvelon-demo)
    execute_process(COMMAND test -x "${PREFIX}/bin/${program}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        fail("bin/${program} is not executable")
    endif()
endforeach()

# The entry starts the installed program by name and shows the installed icon.
file(STRINGS "${desktop_file}" entry)
foreach(line "[Desktop Entry]" "Type=Application" "Name=Tarvelon Manager" "Exec=tarvelon-manager"
             "Icon=tarvelon-manager")
    if(NOT line IN_LIST entry)
        fail("${desktop_file} lacks the line ${line}")
    endif()
endforeach()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop_file}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
        fail("desktop-file-validate:\n${out}")
    endif()
else()
    message(STATUS "desktop-file-validate not found (package desktop-file-utils); entry not validated")
endif()

# The installed program, where its user may not write. Root may write anywhere, so as root the
# program runs as "nobody"; otherwise the bin folder is made read-only.
set(home "${PREFIX}-home")
file(REMOVE_RECURSE "${home}")
file(MAKE_DIRECTORY "${home}")
set(run_as "")
if(uid STREQUAL "0")
    find_program(SETPRIV setpriv)
    if(NOT SETPRIV)
        fail("running as root without setpriv (util-linux): cannot run the program as another user")
    endif()
    execute_process(COMMAND chown nobody "${home}")
    set(run_as "${SETPRIV}" --reuid=nobody --regid=nogroup --clear-groups)
    execute_process(COMMAND ${run_as} test -x "${PREFIX}/bin/tarvelon-manager" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        fail("user nobody cannot run ${PREFIX}/bin/tarvelon-manager")
    endif()
else()
    file(CHMOD "${PREFIX}/bin" DIRECTORY_PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                     WORLD_READ WORLD_EXECUTE)
endif()
execute_process(COMMAND ${run_as} test -w "${PREFIX}/bin" RESULT_VARIABLE rc)
if(rc EQUAL 0)
    fail("the program's user may write to ${PREFIX}/bin, so this checks nothing")
endif()

# The splash shows for 2 s, then the main window writes the header file; 6 s leave room.
execute_process(
    COMMAND ${run_as} env HOME=${home} XDG_DATA_HOME=${home}/data QT_QPA_PLATFORM=offscreen
            timeout 6 "${PREFIX}/bin/tarvelon-manager"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT uid STREQUAL "0")
    file(CHMOD "${PREFIX}/bin" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
# 124: still running when timeout ended it, as a program left open does.
if(NOT rc EQUAL 124)
    fail("the installed program ended by itself (${rc}):\n${out}")
endif()
set(header "${home}/data/Tarvelon Instruments/Tarvelon Manager/intestazione")
if(NOT EXISTS "${header}")
    fail("no header file at ${header}:\n${out}")
endif()
file(SIZE "${header}" size)
if(NOT size EQUAL 2310)
    fail("${header} holds ${size} bytes, not 30 records of 77")
endif()
if(EXISTS "${PREFIX}/bin/intestazione")
    fail("a header file was written beside the installed program")
endif()
file(REMOVE_RECURSE "${home}")
if(stage)
    file(REMOVE_RECURSE "${stage}")
endif()
message(STATUS "installed into ${PREFIX}; header file kept in the user's application-data folder")
