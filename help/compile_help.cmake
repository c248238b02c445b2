# Compiles the help project in a copy of the sources, so that nothing is written into the
# source tree, and fails on any warning: chmcmd reports a link to a missing page as a warning
# and still succeeds. The copy takes the version and the service's origin (@RTLN_VERSION_SHORT@,
# @RTLN_SERVICE_ORIGIN@ in the pages).
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(GLOB sources ${SOURCE_DIR}/*.htm ${SOURCE_DIR}/*.css ${SOURCE_DIR}/*.hhp ${SOURCE_DIR}/*.hhc
                  ${SOURCE_DIR}/*.hhk)
foreach(source ${sources})
  get_filename_component(name ${source} NAME)
  configure_file(${source} ${WORK_DIR}/${name} @ONLY)
endforeach()
execute_process(COMMAND ${CHMCMD} rtln.hhp WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}")
if(NOT result EQUAL 0 OR output MATCHES "Warning|Error" OR errors MATCHES "exception|Error")
  message(FATAL_ERROR "chmcmd failed or warned (exit ${result}):\n${errors}")
endif()
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
file(COPY_FILE ${WORK_DIR}/rtln.chm ${OUTPUT})
