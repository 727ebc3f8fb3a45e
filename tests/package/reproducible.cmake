# Makes a release package again, a few seconds after make dist made it and
# from another staging folder, into another folder, and fails unless both
# have the same bytes: time stamps, the order of entries, owners and modes
# must all come from the commit, not from the run.
#
#   cmake -DORVANE_FIRST=<package make dist made> -DORVANE_AGAIN=<folder>
#         -DORVANE_PACKAGING=<make_package.cmake's arguments, joined by "|">
#         -P reproducible.cmake

string(REPLACE "|" ";" arguments "${ORVANE_PACKAGING}")
get_filename_component(name ${ORVANE_FIRST} NAME)
set(second ${ORVANE_AGAIN}/${name})
file(REMOVE_RECURSE ${ORVANE_AGAIN})
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 2)
execute_process(
  COMMAND ${CMAKE_COMMAND} ${arguments} -DORVANE_PACKAGE=${second} -DORVANE_STAGE=${ORVANE_AGAIN}/stage
          -P ${CMAKE_CURRENT_LIST_DIR}/../../packaging/make_package.cmake
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "making ${name} again failed")
endif()
file(SHA256 ${ORVANE_FIRST} first_sum)
file(SHA256 ${second} second_sum)
if(NOT first_sum STREQUAL second_sum)
  message(FATAL_ERROR "${name} differs when made again:\n  ${first_sum} ${ORVANE_FIRST}\n  ${second_sum} ${second}")
endif()
message(STATUS "${name} made twice, the same bytes: SHA-256 ${first_sum}")
