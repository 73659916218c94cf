# Run by CPack after it has staged the files and before makensis packs them: every executable
# is signed (scripts/sign-windows), so what is installed carries the same signature as the
# installer.
file(GLOB_RECURSE executables "${CPACK_TEMPORARY_DIRECTORY}/*.exe")
if(NOT executables)
    message(FATAL_ERROR "No executable to sign in ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(executable ${executables})
    execute_process(COMMAND "${CPACK_TARVELON_SIGN_SCRIPT}" "${executable}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "Signing ${executable} failed")
    endif()
endforeach()
