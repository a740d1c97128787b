# Part of cmake --install: writes the desktop entries of the windows from
# RADIO_DESKTOP_TEMPLATES/*.desktop.in into RADIO_APPLICATIONS_DIR, with
# "@RADIO_BINDIR@/COMMAND" in their Exec lines replaced by the command's
# absolute path under this install's prefix (DESTDIR is not part of it).

# cmake_install.cmake runs under the oldest policies, which would expand the
# @RADIO_BINDIR@ searched for below.
cmake_policy(VERSION 3.25)

function(radio_absolute dir out)
    if(IS_ABSOLUTE "${dir}")
        set(${out} "${dir}" PARENT_SCOPE)
    else()
        set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
    endif()
endfunction()

radio_absolute("${RADIO_BINDIR}" bindir)
radio_absolute("${RADIO_APPLICATIONS_DIR}" applications)
set(destination "$ENV{DESTDIR}${applications}")
file(MAKE_DIRECTORY "${destination}")

file(GLOB templates "${RADIO_DESKTOP_TEMPLATES}/*.desktop.in")
foreach(template IN LISTS templates)
    file(READ "${template}" text)
    string(REGEX MATCH "@RADIO_BINDIR@/[A-Za-z0-9._-]+" placeholder "${text}")
    string(REPLACE "@RADIO_BINDIR@" "${bindir}" command "${placeholder}")
    # A path with a space or a character the Exec key reserves is quoted,
    # with the characters that quoting reserves escaped (and the escaping
    # backslashes escaped once more, as in any string of the file).
    if(NOT command MATCHES "^[A-Za-z0-9/._+-]+$")
        string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" command "${command}")
        string(REPLACE "\\" "\\\\" command "${command}")
        set(command "\"${command}\"")
    endif()
    string(REPLACE "${placeholder}" "${command}" text "${text}")

    get_filename_component(name "${template}" NAME)
    string(REGEX REPLACE "\\.in$" "" name "${name}")
    message(STATUS "Installing: ${destination}/${name}")
    file(WRITE "${destination}/${name}" "${text}")
    # Listed as file(INSTALL) lists what it installs: without DESTDIR.
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${applications}/${name}")
endforeach()
