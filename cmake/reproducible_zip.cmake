# A zip whose bytes depend on its files' contents only: the entries in sorted order, each with
# the time of the last commit and no extra fields (zip would store each file's access and change
# times, new at every packaging, and take the entries in directory order). So the same sources
# give the same bytes.
#
#   cmake -DFOLDER=DIR -DZIP=FILE -P reproducible_zip.cmake   zips DIR's entries (DIR/x as x)
#   include(reproducible_zip.cmake)                           defines tavrik_reproducible_zip
function(tavrik_reproducible_zip folder zip)
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_CURRENT_FUNCTION_LIST_DIR}
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch)
    set(epoch 315532800)  # 1980-01-01, the earliest time a zip entry holds
  endif()
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${folder} ${folder}/*)
  list(SORT entries)
  execute_process(COMMAND touch -h -d @${epoch} ${entries} WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${zip})
  execute_process(COMMAND zip -X -q ${zip} ${entries} WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT FOLDER OR NOT ZIP)
    message(FATAL_ERROR "Usage: cmake -DFOLDER=DIR -DZIP=FILE -P reproducible_zip.cmake")
  endif()
  tavrik_reproducible_zip(${FOLDER} ${ZIP})
endif()
