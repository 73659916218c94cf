# The program's catalogues (translations/*.ts) compiled with lrelease, and Qt's own Italian
# texts, embedded as the resource file tarvelon_translations (":/i18n/"). lrelease and Qt's
# catalogues are the build machine's: a cross build uses the host's, which are the same Qt.
find_program(TARVELON_LRELEASE NAMES lrelease lrelease-qt6
             HINTS ${QT_HOST_PATH}/lib/qt6/bin /usr/lib/qt6/bin NO_CMAKE_FIND_ROOT_PATH)
if(NOT TARVELON_LRELEASE)
    message(FATAL_ERROR "No lrelease to compile the translations (Debian: qt6-l10n-tools)")
endif()
find_path(TARVELON_QT_TRANSLATIONS_DIR qtbase_it.qm
          HINTS ${QT_HOST_PATH}/share/qt6/translations /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH)
if(NOT TARVELON_QT_TRANSLATIONS_DIR)
    message(FATAL_ERROR "No Qt catalogue qtbase_it.qm (Debian: qt6-translations-l10n)")
endif()

# Adds the catalogues to `target`, a library or program that calls
# Q_INIT_RESOURCE(tarvelon_translations).
function(tarvelon_add_translations target)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/i18n)
    file(GLOB ts_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/tarvelon_*.ts)
    set(qrc_entries "")
    set(qm_files "")
    foreach(ts ${ts_files})
        get_filename_component(name ${ts} NAME_WE)
        set(qm ${out}/${name}.qm)
        # A text without its translation fails the build, named.
        add_custom_command(OUTPUT ${qm}
            COMMAND ${CMAKE_COMMAND} -DLRELEASE=${TARVELON_LRELEASE} -DTS=${ts} -DQM=${qm}
                    -P ${PROJECT_SOURCE_DIR}/cmake/lrelease.cmake
            DEPENDS ${ts} ${PROJECT_SOURCE_DIR}/cmake/lrelease.cmake
            COMMENT "Compiling the catalogue ${name}")
        list(APPEND qm_files ${qm})
        string(APPEND qrc_entries "    <file>${name}.qm</file>\n")
    endforeach()
    configure_file(${TARVELON_QT_TRANSLATIONS_DIR}/qtbase_it.qm ${out}/qtbase_it.qm COPYONLY)
    string(APPEND qrc_entries "    <file>qtbase_it.qm</file>\n")
    file(WRITE ${out}/tarvelon_translations.qrc.in
         "<RCC>\n  <qresource prefix=\"/i18n\">\n${qrc_entries}  </qresource>\n</RCC>\n")
    configure_file(${out}/tarvelon_translations.qrc.in ${out}/tarvelon_translations.qrc COPYONLY)
    set_source_files_properties(${qm_files} PROPERTIES GENERATED TRUE)
    qt_add_resources(resource_sources ${out}/tarvelon_translations.qrc)
    target_sources(${target} PRIVATE ${resource_sources})
    add_custom_target(${target}_catalogues DEPENDS ${qm_files})
    add_dependencies(${target} ${target}_catalogues)
endfunction()
