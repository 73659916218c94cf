# Writes OUT with the build the program names in its About box: the commit it was built from
# and that commit's date, or "release" outside a repository. Run at every build, it rewrites
# OUT only when the commit changed, so nothing else is rebuilt for it.
set(build "release")
find_package(Git QUIET)
if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 "--format=%h of %cs" WORKING_DIRECTORY ${SOURCE_DIR}
                    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND commit)
        set(build "${commit}")
    endif()
endif()
file(WRITE "${OUT}.new" "#define TARVELON_BUILD \"${build}\"\n")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
