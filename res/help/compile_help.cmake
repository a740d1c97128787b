# Compiles one HTML Help project into its .chm.
#
#   cmake -DCHMCMD=... -DSOURCE_DIR=... -DPROJECT=enHelp.hhp -DTOPICS=en
#         -DSTAGE_DIR=... -DOUTPUT=.../enHelp.chm -P compile_help.cmake
#
# chmcmd resolves [MAP] includes against the working directory and writes the
# .chm beside the project, so the project is compiled in a private copy; the
# result replaces OUTPUT by a rename, never leaving a half-written file there.
# Every warning fails the build: chmcmd only warns about missing topics and
# broken links, which would otherwise ship as dead help pages.
foreach(var CHMCMD SOURCE_DIR PROJECT TOPICS STAGE_DIR OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "compile_help.cmake: ${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${STAGE_DIR}")
file(MAKE_DIRECTORY "${STAGE_DIR}")
file(COPY "${SOURCE_DIR}/${TOPICS}" DESTINATION "${STAGE_DIR}")
file(COPY "${SOURCE_DIR}/${PROJECT}" "${SOURCE_DIR}/context.h" DESTINATION "${STAGE_DIR}")

execute_process(
    COMMAND "${CHMCMD}" "${PROJECT}"
    WORKING_DIRECTORY "${STAGE_DIR}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err)

get_filename_component(compiled "${PROJECT}" NAME_WE)
set(compiled "${STAGE_DIR}/${compiled}.chm")
string(FIND "${out}${err}" "Warning" warning_at)
if(NOT result EQUAL 0 OR NOT warning_at EQUAL -1 OR NOT EXISTS "${compiled}")
    message(FATAL_ERROR "chmcmd failed on ${PROJECT} (exit ${result}):\n${out}${err}")
endif()

get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
file(COPY_FILE "${compiled}" "${OUTPUT}.tmp")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
