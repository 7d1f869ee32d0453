# Runs `zintra parse` and `zintra match` on the bundled installation: the
# phrase tree of a sentence in bracket form, in the HTML form of replies,
# from standard input, with annotations, and at the end of a match reply.
set(tree "(S (SS (DECL (NP (NPL (PRP She))) (VP (VBZ does) (VP (RB n't) (VB like) (NP (NPL (NN (NN ice) (NN cream)))))))))")

execute_process(COMMAND ${ZINTRA} parse "She doesn't like ice cream."
  WORKING_DIRECTORY ${INSTALLATION} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out STREQUAL "${tree}\n")
  message(FATAL_ERROR "parse: status ${status}, output [${out}], errors [${err}]")
endif()

execute_process(COMMAND ${ZINTRA} parse --html "She doesn't like ice cream."
  WORKING_DIRECTORY ${INSTALLATION} RESULT_VARIABLE status OUTPUT_VARIABLE out)
string(FIND "${out}" "<!-- ${tree} -->\n<div><span>S</span>" at)
if(NOT status EQUAL 0 OR NOT at EQUAL 0)
  message(FATAL_ERROR "parse --html: status ${status}, output [${out}]")
endif()

file(WRITE ${WORK}/input.txt "I am a student.\nthe the the\n\n")
execute_process(COMMAND ${ZINTRA} parse --mode 1 INPUT_FILE ${WORK}/input.txt
  WORKING_DIRECTORY ${INSTALLATION} RESULT_VARIABLE status OUTPUT_VARIABLE out)
set(expected "(S (SS (DECL (NP (NPL (PRP I))) (VP (VBP am) (NP (NPL (DT a) (NN student)))))))\n( S (DT the) (DT the) (DT the))\n\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "parse from standard input: status ${status}, output [${out}]")
endif()

execute_process(COMMAND ${ZINTRA} parse --mode 1 "I book/VBD a room/NN ."
  WORKING_DIRECTORY ${INSTALLATION} RESULT_VARIABLE status OUTPUT_VARIABLE out)
string(FIND "${out}" "(VBD book)" at)
if(NOT status EQUAL 0 OR at LESS 0)
  message(FATAL_ERROR "parse --mode 1: status ${status}, output [${out}]")
endif()

execute_process(COMMAND ${ZINTRA} match "<H1>Lesson01-01</H1><P>I is a student.</P>"
  WORKING_DIRECTORY ${INSTALLATION} RESULT_VARIABLE status OUTPUT_VARIABLE out)
string(FIND "${out}" "</P></div>\n<!-- (S (SS (DECL (NP (NPL (PRP I))) (VP (VBZ is) (NP (NPL (DT a) (NN student))))))) -->\n" at)
string(FIND "${out}" "<P><B>is</B><FONT>" corrected)
if(NOT status EQUAL 0 OR at LESS 0 OR corrected LESS 0)
  message(FATAL_ERROR "match with its tree: status ${status}, output [${out}]")
endif()

execute_process(COMMAND ${ZINTRA} parse --mode
  WORKING_DIRECTORY ${INSTALLATION} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "parse --mode without a value: status ${status}")
endif()
