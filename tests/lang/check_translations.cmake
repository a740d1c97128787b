# Runs the translation tool over the sources into a copy of a translation
# file: a text the windows show that the file does not translate yet comes
# out unfinished, and the check fails naming it.
# -DLUPDATE=... -DTS=<file.ts> -DWORK=<folder> -DSOURCES=<dir|dir|...>
string(REPLACE "|" ";" SOURCES "${SOURCES}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(name "${TS}" NAME)
set(copy "${WORK}/${name}")
file(COPY_FILE "${TS}" "${copy}")
execute_process(
    COMMAND "${LUPDATE}" -no-obsolete -locations none -source-language en ${SOURCES} -ts "${copy}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed: ${errors}")
endif()
file(READ "${copy}" text)
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\">"
       missing "${text}")
if(missing)
    string(REGEX REPLACE "[ \t\r\n]*<translation type=\"unfinished\">" "" missing "${missing}")
    string(REPLACE "<source>" "\n  " missing "${missing}")
    string(REPLACE "</source>" "" missing "${missing}")
    message(FATAL_ERROR "${name} does not translate:${missing}\n"
                        "Update it with lupdate (see res/lang/CMakeLists.txt) and translate.")
endif()
message(STATUS "${name}: every text is translated")
