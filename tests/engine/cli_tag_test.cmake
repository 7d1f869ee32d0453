# Runs `zintra tag` on a small English data set: sentences from the command
# line and from standard input are printed with the tags the rules give.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/lexicon.txt
  "I PRP\nam VBP\na DT\nthe DT\nThe DT\nboy NN\nrun VB NN\nis VBZ\ncan MD NN\nlike VBP IN\n"
  "ice NN\ncream NN\n. .\n")
file(WRITE ${WORK}/lexical.txt "NN s fhassuf 1 NNS x\nly hassuf 2 RB x\n")
file(WRITE ${WORK}/bigrams.txt "the boy\n")
file(WRITE ${WORK}/compounds.txt "ice cream/NN\n")
file(WRITE ${WORK}/contextual.txt "VB NN PREVTAG DT\nNN VB PREVTAG MD\n")
file(WRITE ${WORK}/zintra.ini
  "TN_SYMBOL ,;:!?\"()\nDEL_TAIL_SYMBOL .?!\nSPECIAL_TAIL \"n't\"\n"
  "DICTIONARY_FILE lexicon.txt\nLEXICALRULEFILE lexical.txt\nBIGRAMS bigrams.txt\n"
  "COMPOUND_FILE compounds.txt\nCONTEXTUALRULEFILE contextual.txt\n")

execute_process(COMMAND ${ZINTRA} tag "I am a boy." "The run is quickly done."
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected "I/PRP am/VBP a/DT boy/NN ./.\nThe/DT run/NN is/VBZ quickly/RB done/NN ./.\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "tag: status ${status}, output [${out}], errors [${err}]")
endif()

file(WRITE ${WORK}/input.txt "I can cook\nI like ice cream.\n\nthe books isn't\n")
execute_process(COMMAND ${ZINTRA} tag --config zintra.ini INPUT_FILE ${WORK}/input.txt
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected "I/PRP can/MD cook/VB\nI/PRP like/VBP (ice/NN cream/NN)/NN ./.\n\nthe/DT books/NNS is/VBZ n't/NN\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "tag from standard input: status ${status}, output [${out}], errors [${err}]")
endif()

file(WRITE ${WORK}/broken.ini "DICTIONARY_FILE missing.txt\n")
execute_process(COMMAND ${ZINTRA} tag --quiet --config broken.ini "I am a boy."
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT count EQUAL 1)
  message(FATAL_ERROR "broken configuration: status ${status}, output [${out}], errors [${err}]")
endif()
