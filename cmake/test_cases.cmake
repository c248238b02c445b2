# Each case of a GoogleTest program as a ctest test of its own, labelled "case", so that
# `ctest -R Suite.Case` runs one case; the program's whole run stays a test of its own, labelled
# "whole" (what scripts/test.sh runs). ctest lists the cases when it starts, by running the
# program with --gtest_list_tests (in a cross tree under Wine, through the emulator), and keeps
# the list until the program is rebuilt. It lists none when TAVRIK_TEST_CASES is "off", nor
# where the tree's Wine does not start: a failed listing would stop every ctest run of the tree,
# also of the checks that need no Wine.
include(GoogleTest)

# tavrik_test_cases(<target> [gtest_discover_tests options...])
function(tavrik_test_cases target)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 ${ARGN})
  # gtest_discover_tests appended the file that lists the cases; read it only through a guard.
  get_property(includes DIRECTORY PROPERTY TEST_INCLUDE_FILES)
  list(POP_BACK includes listing)
  string(REPLACE "_include.cmake" "_guard.cmake" guard "${listing}")
  set(probe "")
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    list(JOIN CMAKE_CROSSCOMPILING_EMULATOR "]==] [==[" emulator)
    set(probe "execute_process(COMMAND [==[${emulator}]==] --version RESULT_VARIABLE cannot_start OUTPUT_QUIET ERROR_QUIET)")
  endif()
  file(WRITE "${guard}"
    "if(NOT \"\$ENV{TAVRIK_TEST_CASES}\" STREQUAL \"off\")\n"
    "  set(cannot_start 0)\n"
    "  ${probe}\n"
    "  if(cannot_start)\n"
    "    message(\"${target}: Wine does not start here, no cases listed\")\n"
    "  else()\n"
    "    include([==[${listing}]==])\n"
    "  endif()\n"
    "endif()\n")
  set_property(DIRECTORY PROPERTY TEST_INCLUDE_FILES ${includes} "${guard}")
endfunction()
