# Starts the korvel program itself on a fresh content folder (a copy of the
# bundled course, laid out as an installation holds it) and checks that the
# start-up ends on the log-in window without a message box, and that it read
# the users file the way a first start does (created empty).
#
#   cmake -DKORVEL=path/to/korvel -DCOURSE=data/course -DWORK=scratch/folder -P korvel_smoke.cmake
foreach(var KORVEL COURSE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${COURSE}/" DESTINATION "${WORK}")
file(REMOVE "${WORK}/Korveluser/user.dat" "${WORK}/Korveluser/LastUser.dat")

set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(
  COMMAND "${KORVEL}" --content "${WORK}" --list-windows
  RESULT_VARIABLE status
  OUTPUT_VARIABLE windows
  ERROR_VARIABLE errors
  TIMEOUT 60)

if(NOT status EQUAL 0)
  message(FATAL_ERROR "korvel ended with status ${status}\nwindows:\n${windows}\nerrors:\n${errors}")
endif()
if(NOT windows STREQUAL "frmログイン\n")
  message(FATAL_ERROR "expected the log-in window alone, korvel showed:\n${windows}")
endif()
if(NOT EXISTS "${WORK}/Korveluser/user.dat")
  message(FATAL_ERROR "the start-up did not create Korveluser/user.dat")
endif()
file(SIZE "${WORK}/Korveluser/user.dat" size)
if(NOT size EQUAL 0)
  message(FATAL_ERROR "a first start wrote ${size} bytes into user.dat")
endif()
file(REMOVE_RECURSE "${WORK}")
