# Writes OUT with the build the program names in its About box: the commit it was built from
# and that commit's date, or "release" outside a repository. Run at every build, it rewrites
# OUT only when the commit changed, so nothing else is rebuilt for it.
# The commit and its date are kept apart, so the About box says them in its own language.
set(build "release")
set(build_date "")
find_package(Git QUIET)
if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 "--format=%h %cs" WORKING_DIRECTORY ${SOURCE_DIR}
                    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND commit MATCHES "^([^ ]+) (.+)$")
        set(build "${CMAKE_MATCH_1}")
        set(build_date "${CMAKE_MATCH_2}")
    endif()
endif()
file(WRITE "${OUT}.new" "#define TARVELON_BUILD \"${build}\"\n#define TARVELON_BUILD_DATE \"${build_date}\"\n")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
