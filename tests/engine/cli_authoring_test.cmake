# The template authors' commands of `zintra` on a copy of the bundled
# installation: the help lists every command; check-xml, check-templates,
# count-lines, sentences, sample-tree and query on the templates, and a
# template broken on purpose reported readably with status 1.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${INSTALLATION}/ DESTINATION ${WORK})

function(run)
  execute_process(COMMAND ${ZINTRA} ${ARGN} WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status "${status}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect what)
  foreach(expected ${ARGN})
    string(FIND "${out}" "${expected}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what}: [${expected}] not in output [${out}] (status ${status}, errors [${err}])")
    endif()
  endforeach()
endfunction()

run(--help)
expect("help" "  match " "  tag " "  show " "  query " "  serve " "  send " "  check-xml " "  check-templates "
  "  sample-tree " "  sentences " "  count-lines ")

run(check-xml templates)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "check-xml on the bundled templates: status ${status} [${out}]")
endif()
expect("check-xml" " files well-formed")

run(count-lines templates/Lesson01-01.xvt)
# The file's lines are its line feeds (it ends with one; none is longer than the buffer).
file(READ ${WORK}/templates/Lesson01-01.xvt text)
string(REGEX MATCHALL "\n" feeds "${text}")
list(LENGTH feeds count)
if(NOT status EQUAL 0 OR NOT out STREQUAL "${count}\n")
  message(FATAL_ERROR "count-lines: status ${status} [${out}], expected ${count}")
endif()

# A folder with a failing sample and a malformed file.
file(MAKE_DIRECTORY ${WORK}/broken)
file(COPY ${WORK}/templates/Global.xvt ${WORK}/templates/Gtemplate.xvt DESTINATION ${WORK}/broken)
file(READ ${WORK}/templates/Lesson01-01.xvt lesson)
string(REPLACE "<sample>I am a student.</sample>" "<sample>I is a student.</sample>" lesson "${lesson}")
file(WRITE ${WORK}/broken/Lesson01-01.xvt "${lesson}")
file(WRITE ${WORK}/broken/Lesson01-02.xvt "<root><Template><template sub='0'>")
run(check-templates broken)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "check-templates on a broken folder: status ${status} [${out}] [${err}]")
endif()
expect("check-templates" "FAILED sample" "file: broken/Lesson01-01.xvt" "template: \"I am a student\""
  "sample: \"I is a student.\"" "alignment: has errors" "word \"is\", expected \"is\" of a wrong filler"
  "broken/Lesson01-02.xvt:" "not well-formed")
run(check-xml broken --depth 1)
expect("check-xml broken" "broken/Lesson01-02.xvt" "3 of 4 files well-formed")
if(NOT status EQUAL 1)
  message(FATAL_ERROR "check-xml on a broken folder: status ${status}")
endif()

run(sentences templates/Lesson01-01.xvt --output listing)
expect("sentences" "sentences of 1 template files below listing")
file(STRINGS ${WORK}/listing/Lesson01-01/Lesson01-01.txt sentences)
list(FIND sentences "I am a student" at)
if(at EQUAL -1)
  message(FATAL_ERROR "sentences: no \"I am a student\" in [${sentences}]")
endif()

file(WRITE ${WORK}/reference.txt "<!-- (S something else) -->\n")
run(sample-tree templates/Lesson01-01.xvt --reference reference.txt --output page.html)
file(READ ${WORK}/page.html page)
if(NOT status EQUAL 0 OR NOT page MATCHES "^<HTML>\n" OR NOT page MATCHES "src='parse.js'></script>\n</HTML>\n$")
  message(FATAL_ERROR "sample-tree: status ${status} [${out}] page [${page}]")
endif()
run(sample-tree templates --output page.html)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "sample-tree without --reference: status ${status}")
endif()

run(query "Which chapter teaches pronouns?")
expect("query" "<course:teaches>, \"pronouns\")")
run(query "hello there")
if(NOT status EQUAL 1 OR NOT out STREQUAL "Can't understand!\n")
  message(FATAL_ERROR "query without an answer: status ${status} [${out}]")
endif()

# With the bundled phrase grammar a sample that parses passes the check.
file(READ ${WORK}/zintra.ini config)
file(WRITE ${WORK}/with_grammar.ini "${config}\nGRAMMAR_FILE grammar.txt\n")
run(check-templates templates/Lesson01-01.xvt --config with_grammar.ini)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "check-templates with the grammar: status ${status} [${out}]")
endif()
expect("check-templates with the grammar" "1 files, 0 failing samples, 0 files not read")
string(REGEX REPLACE "\nGRAMMAR_FILE[^\n]*" "" without_grammar "${config}")
file(WRITE ${WORK}/without_grammar.ini "${without_grammar}")
run(check-templates templates/Lesson01-01.xvt --config without_grammar.ini)
expect("check-templates without a grammar" "note: no phrase grammar" "phrase tree: failed"
  "tree output: <div></div>")

# show names the variable a query node binds.
run(show queries/questions.xvt)
expect("show" "node \"w3\" binds $word" "node \"p4\" binds $pos")
