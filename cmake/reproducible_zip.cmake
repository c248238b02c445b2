# Run by CPack after it zipped the program folder, before it writes the checksum. Its archiver
# stores each file's access and change times, new at every packaging, and takes the entries in
# directory order: the zip is written again from the same staged folder, entries in sorted
# order, each with the time of the last commit and no extra fields, so that the same sources
# give the same bytes.
execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CPACK_RTLN_SOURCE_DIR}
                OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT epoch)
  set(epoch 315532800)  # 1980-01-01, the earliest time a zip entry holds
endif()
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${CPACK_TEMPORARY_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)
list(SORT entries)
execute_process(COMMAND touch -h -d @${epoch} ${entries} WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${CPACK_PACKAGE_FILES})
execute_process(COMMAND zip -X -q ${CPACK_PACKAGE_FILES} ${entries} WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}
                COMMAND_ERROR_IS_FATAL ANY)
