# korvel --check on an installation laid out as scripts/layout.sh does it: the
# program and libzintra.so side by side with the bundled engine data and the
# course's error messages. A right answer, a wrong one, chapter 1's first item
# as the README shows it, a failed check (a template that does not exist) and
# a missing library.
#
#   cmake -DKORVEL=korvel -DZINTRA=libzintra.so -DENGINE=data/engine -DCOURSE=data/course -DWORK=dir -P korvel_check.cmake
foreach(var KORVEL ZINTRA ENGINE COURSE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${ENGINE}/" DESTINATION "${WORK}")
file(COPY "${COURSE}/" DESTINATION "${WORK}")
file(COPY "${KORVEL}" "${ZINTRA}" DESTINATION "${WORK}")
get_filename_component(program "${KORVEL}" NAME)
set(program "${WORK}/${program}")

set(exercise lesson1)
# The leak checker of the sanitizer build now and then fails in its own
# thread-stopping tracer at exit ("Tracer caught signal 11" followed by
# "LeakSanitizer has encountered a fatal error"), whatever the program did. Such
# a run says nothing about the program and is run again; a leak report or any
# other failure is not.
function(run_check)
  foreach(attempt RANGE 1 3)
    execute_process(COMMAND ${ARGN}
      WORKING_DIRECTORY "${WORK}/Korveluser"
      RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
    string(FIND "${err}" "LeakSanitizer has encountered a fatal error" tracer_failed)
    if(tracer_failed LESS 0)
      break()
    endif()
    message(STATUS "the leak checker's tracer failed; running again")
  endforeach()
  set(status "${status}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(check expected_status sentence)
  run_check("${program}" --check ${exercise} "${sentence}" ${ARGN})
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "--check '${sentence}' ended with ${status}, expected ${expected_status}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect text)
  string(FIND "${out}" "${text}" at)
  if(at LESS 0)
    message(FATAL_ERROR "expected ${text} in:\n${out}")
  endif()
endfunction()

check(0 "I am a boy.")
expect("\"verdict\": \"right\"")
expect("\"errors\": 0,")

check(0 "I am boy.")
expect("\"verdict\": \"wrong\"")
expect("\"corrected\": \"I am a boy.\"")
expect("\"comments\": \"コメント(1)  ・この部分に必要な何か (a) が抜けています。\"")
expect("{\"word\": \"\", \"code\": 8, \"group\": 0, \"errorNumber\": 1, \"candidates\": [\"a\"], \"comments\": []}")

check(0 "I am a boy." --prompt "彼は「私は少年です。」と言いました。")
expect("\"quoteFlags\": -3,")
expect("\"commentKinds\": [11,12]")

# Chapter 1's first composition item of the bundled course, as the README shows it.
set(exercise Lesson01-01)
check(0 "I am a student.")
expect("\"request\": \"<H1>Lesson01-01</H1><P>I am a student.</P>\"")
expect("\"verdict\": \"right\"")
check(0 "i is student")
expect("\"errors\": 6,")
expect("\"corrected\": \"I am a student.\"")
expect("\"commentKinds\": [7,6,10005,6,10003,5]")
expect("\"display\": \" [i](1)  [XXX](2) [is](3) 【 [XXX](4) student 】(5) [XXX](6)\\r\\n\"")
set(exercise lesson1)

# The engine answers for a template that does not exist with its error reply.
run_check("${program}" --check NoSuchLesson "I am a boy.")
if(NOT status EQUAL 1)
  message(FATAL_ERROR "a failed check ended with ${status}\n${out}\n${err}")
endif()
expect("\"verdict\": \"failed\"")
string(FIND "${err}" "prc_zintraMatch" at)
if(at LESS 0)
  message(FATAL_ERROR "the engine error was not reported:\n${err}")
endif()

# Without the library beside the program: the same failure, no crash.
get_filename_component(library "${ZINTRA}" NAME)
file(REMOVE "${WORK}/${library}")
check(1 "I am a boy.")
expect("\"verdict\": \"failed\"")
file(REMOVE_RECURSE "${WORK}")
