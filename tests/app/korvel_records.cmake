# korvel --records on an installation of the bundled course: a learner without
# logs gets the progress table with every item untested and the comment view
# with its title row only; a user folder that cannot be read gives the title
# rows after the error report and status 2; wrong arguments give status 1.
#
#   cmake -DKORVEL=korvel -DCOURSE=data/course -DWORK=dir -P korvel_records.cmake
foreach(var KORVEL COURSE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/fresh" "${WORK}/broken")
file(COPY "${COURSE}/" DESTINATION "${WORK}/fresh")
file(COPY "${COURSE}/Lesson" DESTINATION "${WORK}/broken")
# The user folder is a plain file: nothing in it can be read or created.
file(WRITE "${WORK}/broken/Korveluser" "")

# Runs korvel; a failure of the sanitizer's leak-check tracer itself at exit is
# run again (it says nothing about the program).
function(records)
  foreach(attempt RANGE 1 3)
    execute_process(COMMAND "${KORVEL}" --records ${ARGN}
      RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
    string(FIND "${err}" "LeakSanitizer has encountered a fatal error" tracer_failed)
    if(tracer_failed LESS 0)
      break()
    endif()
  endforeach()
  set(status "${status}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect what actual wanted)
  if(NOT "${actual}" STREQUAL "${wanted}")
    message(FATAL_ERROR "${what}: got [${actual}], wanted [${wanted}]\nstderr: ${err}")
  endif()
endfunction()

set(tab "\t")
records(1 --content "${WORK}/fresh")
expect("progress table status" "${status}" "0")
string(REGEX MATCHALL "[^\n]*\n" lines "${out}")
list(LENGTH lines count)
expect("progress table lines (2 title rows, 28 chapters, the total)" "${count}" "31")
list(GET lines 0 first)
expect("first title row"
  "${first}" "章${tab}聞取 ${tab}単語 ${tab}英作文${tab}聞取 ${tab}${tab}${tab}${tab}単語 ${tab}${tab}${tab}${tab}英作文${tab}${tab}${tab}\n")
list(GET lines 2 chapter1)
string(REGEX MATCH "^1${tab}0\\.0${tab}0\\.0${tab}0\\.0${tab}   0${tab}   0${tab}" chapter1_start "${chapter1}")
if(chapter1_start STREQUAL "")
  message(FATAL_ERROR "chapter 1 row: [${chapter1}]")
endif()
list(GET lines 30 total)
string(REGEX MATCH "^全体${tab}0\\.0 %${tab}0\\.0 %${tab}0\\.0 %${tab}" total_start "${total}")
if(total_start STREQUAL "")
  message(FATAL_ERROR "total row: [${total}]")
endif()

records(13 --content "${WORK}/fresh" --sort id)
expect("comment view status" "${status}" "0")
expect("comment view" "${out}" "No${tab}ID${tab}コメント文${tab}頻度${tab}分類${tab}実施日時 \n")

records(3 --content "${WORK}/broken" --order oldest)
expect("unreadable logs status" "${status}" "2")
expect("unreadable logs output" "${out}" "No${tab}ID${tab}日本語${tab}英語${tab}章${tab}実施日時 ${tab}正誤${tab}テストの答\n")
string(FIND "${err}" "エラー表示" reported)
if(reported LESS 0)
  message(FATAL_ERROR "no error report on standard error: ${err}")
endif()

records(1 --content "${WORK}/fresh" --user 3)
expect("unregistered learner status" "${status}" "1")
records(19 --content "${WORK}/fresh")
expect("view 19 status" "${status}" "1")
records(2 --content "${WORK}/fresh" --order upside-down)
expect("bad order status" "${status}" "1")
message(STATUS "korvel --records: all checks passed")
