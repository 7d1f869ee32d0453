# Runs `zintra match` as a user would: with a working installation it prints
# the engine's reply; with a missing configuration it says so and exits 1
# (with --quiet, on one line, without the explanation of why).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/templates)
foreach(name lexicon lexical bigrams)
  file(WRITE ${WORK}/${name}.txt "word NN\n")
endforeach()
file(WRITE ${WORK}/compounds.txt "ice cream/NN\n")
file(WRITE ${WORK}/contextual.txt "VB NN PREVTAG DT\n")
file(WRITE ${WORK}/zintra.ini
  "DICTIONARY_FILE lexicon.txt\nLEXICALRULEFILE lexical.txt\nBIGRAMS bigrams.txt\n"
  "COMPOUND_FILE compounds.txt\nCONTEXTUALRULEFILE contextual.txt\nTEMPLATES_DIR templates\n")

execute_process(COMMAND ${ZINTRA} match "<H1>0-0-0.xvt</H1><P></P>"
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out STREQUAL "The Cache is cleared.\n")
  message(FATAL_ERROR "match: status ${status}, output [${out}], errors [${err}]")
endif()

execute_process(COMMAND ${ZINTRA} match "what is this"
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT out STREQUAL "Can't understand!\n")
  message(FATAL_ERROR "query: output [${out}]")
endif()

execute_process(COMMAND ${ZINTRA} match --quiet --config missing.ini "<P>x</P>"
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT count EQUAL 1)
  message(FATAL_ERROR "missing configuration: status ${status}, output [${out}], errors [${err}]")
endif()
