# A Windows program's resources: the icon, the version information from the project's one
# version, and a manifest (per-monitor DPI awareness, UTF-8 as the process's code page for
# the narrow calls, Windows 10 and 11).
function(tarvelon_windows_resources target description)
    set(TARVELON_FILE ${target})
    set(TARVELON_DESCRIPTION "${description}")
    set(TARVELON_ICON ${PROJECT_SOURCE_DIR}/packaging/tarvelon-manager.ico)
    set(TARVELON_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/program.manifest.in ${TARVELON_MANIFEST} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
