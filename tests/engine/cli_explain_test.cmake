# Runs `zintra match --explain` on the bundled default installation: a wrong
# filler is explained with its flags, candidates and comment; a missing
# template file is reported with status 1.
execute_process(COMMAND ${ZINTRA} match --explain "<H1>lesson1</H1><P>I is a boy.</P>"
  WORKING_DIRECTORY ${INSTALLATION} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
foreach(expected
    "chosen template: \"I am a boy\""
    "word \"is\", expected \"is\" of a wrong filler"
    "node-open node-close wrong-filler (3648)"
    "candidates \"'m\", \"am\"; comments 1"
    "word \"boy\", expected \"boy\": ok")
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "explain: [${expected}] not in output [${out}] (status ${status}, errors [${err}])")
  endif()
endforeach()

execute_process(COMMAND ${ZINTRA} match --explain "<H1>no-such-lesson</H1><P>I am a boy.</P>"
  WORKING_DIRECTORY ${INSTALLATION} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "no-such-lesson")
  message(FATAL_ERROR "missing template: status ${status}, errors [${err}]")
endif()
