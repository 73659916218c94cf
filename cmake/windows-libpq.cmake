# The PostgreSQL client for the Windows build: the prepared static libpq 15 with OpenSSL for
# MinGW-w64 (../shared/windows/), unpacked by scripts/package-windows. It is offered as the
# imported target PostgreSQL::PostgreSQL that find_package(PostgreSQL) gives on Linux, with
# what a static libpq needs after it: its own helpers, OpenSSL and the Windows libraries.
set(TARVELON_LIBPQ_DIR "" CACHE PATH "Static libpq with OpenSSL for MinGW-w64 (include/, lib/, licences/)")
if(TARVELON_LIBPQ_DIR)
    if(NOT EXISTS ${TARVELON_LIBPQ_DIR}/include/libpq-fe.h OR NOT EXISTS ${TARVELON_LIBPQ_DIR}/lib/libpq.a)
        message(FATAL_ERROR "No static libpq in ${TARVELON_LIBPQ_DIR}")
    endif()
    set(_pq_lib ${TARVELON_LIBPQ_DIR}/lib)
    # libpq brings its own small pthread emulation for Windows, whose functions clash at link
    # time with the MinGW thread library that -static brings for std::thread. Renamed in a copy
    # of libpq.a, libpq keeps calling its own (their types are its own too) and the rest of the
    # program the MinGW ones.
    set(_pq_copy ${CMAKE_BINARY_DIR}/libpq/libpq.a)
    set(_pq_renames)
    foreach(_f IN ITEMS pthread_getspecific pthread_setspecific pthread_mutex_init pthread_mutex_lock
                       pthread_mutex_unlock pthread_self)
        list(APPEND _pq_renames --redefine-sym ${_f}=tarvelon_pq_${_f})
    endforeach()
    if(NOT EXISTS ${_pq_copy} OR ${_pq_lib}/libpq.a IS_NEWER_THAN ${_pq_copy})
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/libpq)
        execute_process(COMMAND ${CMAKE_OBJCOPY} ${_pq_renames} ${_pq_lib}/libpq.a ${_pq_copy}
                        RESULT_VARIABLE _pq_result)
        if(NOT _pq_result EQUAL 0)
            message(FATAL_ERROR "Could not prepare ${_pq_copy} with ${CMAKE_OBJCOPY}")
        endif()
    endif()
    add_library(PostgreSQL::PostgreSQL STATIC IMPORTED GLOBAL)
    set_target_properties(PostgreSQL::PostgreSQL PROPERTIES
        IMPORTED_LOCATION ${_pq_copy}
        INTERFACE_INCLUDE_DIRECTORIES ${TARVELON_LIBPQ_DIR}/include
        INTERFACE_LINK_LIBRARIES
            "${_pq_lib}/libpgcommon_shlib.a;${_pq_lib}/libpgport_shlib.a;${_pq_lib}/libssl.a;${_pq_lib}/libcrypto.a;ws2_32;secur32;crypt32;advapi32;user32;shell32")
    # find_package(PostgreSQL) then finds this copy (the cross build searches only MinGW's
    # own folders) and keeps the target above.
    set(PostgreSQL_INCLUDE_DIR ${TARVELON_LIBPQ_DIR}/include CACHE PATH "" FORCE)
    set(PostgreSQL_LIBRARY ${_pq_copy} CACHE FILEPATH "" FORCE)
    # OpenSSL's licence asks for its text to go with the program.
    install(FILES ${TARVELON_LIBPQ_DIR}/licences/OpenSSL-LICENSE.txt DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
