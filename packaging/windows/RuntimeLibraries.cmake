# Run by `cmake --install` (and so by CPack): installs the libraries that the program and its
# plugins import, directly or through one another, read from their import tables with the MinGW
# objdump. Windows' own libraries (those Wine has a build of, and the API sets, which Windows
# resolves by itself) are not shipped. A library found nowhere stops the install.
#
# Set by the install rule of CMakeLists.txt beside this file: BESTINSHOW_PROGRAM,
# BESTINSHOW_PLUGINS, BESTINSHOW_LIBRARY_FOLDERS, BESTINSHOW_SYSTEM_LIBRARIES, BESTINSHOW_OBJDUMP,
# BESTINSHOW_STRIP.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${BESTINSHOW_OBJDUMP}")

file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${BESTINSHOW_PROGRAM}"
    MODULES ${BESTINSHOW_PLUGINS}
    DIRECTORIES ${BESTINSHOW_LIBRARY_FOLDERS} "${BESTINSHOW_SYSTEM_LIBRARIES}"
    PRE_EXCLUDE_REGEXES "^api-ms-win-" "^ext-ms-win-"
    POST_EXCLUDE_REGEXES "^${BESTINSHOW_SYSTEM_LIBRARIES}/"
    RESOLVED_DEPENDENCIES_VAR libraries
    UNRESOLVED_DEPENDENCIES_VAR missing
    CONFLICTING_DEPENDENCIES_PREFIX conflicting)

if(missing)
    message(FATAL_ERROR "Libraries the program needs and that were found nowhere: ${missing}")
endif()
foreach(name IN LISTS conflicting_FILENAMES)
    message(FATAL_ERROR "${name} is in more than one place: ${conflicting_${name}}")
endforeach()

foreach(library IN LISTS libraries)
    # Through the links, a Qt library is installed under its own name.
    file(REAL_PATH "${library}" library)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}" TYPE SHARED_LIBRARY FILES "${library}")
    # The libraries come with their debugging information, which a package leaves out, as it
    # does the program's (cmake --install --strip, and CPack).
    if(CMAKE_INSTALL_DO_STRIP)
        get_filename_component(name "${library}" NAME)
        execute_process(COMMAND "${BESTINSHOW_STRIP}" --strip-debug
                                "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${name}"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
