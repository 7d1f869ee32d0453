# `zintra` explains on standard error what it could not load and why, while
# standard output carries exactly the reply that --quiet gives; --quiet says
# nothing. Runs on a copy of the bundled installation, broken one way at a time.
file(REMOVE_RECURSE ${WORK})
file(COPY ${INSTALLATION}/ DESTINATION ${WORK}/inst)
set(inst ${WORK}/inst)
file(READ ${inst}/zintra.ini ini)

# run(NAME DIR ARGS...): sets NAME_out, NAME_err, NAME_status, and the
# same run with --quiet as NAME_qout, NAME_qerr.
function(run name dir)
  execute_process(COMMAND ${ZINTRA} ${ARGN} WORKING_DIRECTORY ${dir}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  execute_process(COMMAND ${ZINTRA} ${ARGN} --quiet WORKING_DIRECTORY ${dir}
    RESULT_VARIABLE qstatus OUTPUT_VARIABLE qout ERROR_VARIABLE qerr)
  if(NOT out STREQUAL qout OR NOT status EQUAL qstatus)
    message(FATAL_ERROR "${name}: the reply changed with the explanations: [${out}] (${status}) vs [${qout}] (${qstatus})")
  endif()
  set(${name}_out "${out}" PARENT_SCOPE)
  set(${name}_err "${err}" PARENT_SCOPE)
  set(${name}_qerr "${qerr}" PARENT_SCOPE)
  set(${name}_status "${status}" PARENT_SCOPE)
endfunction()

function(expect_err name)
  foreach(part ${ARGN})
    string(FIND "${${name}_err}" "${part}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${name}: [${part}] not on standard error [${${name}_err}]")
    endif()
  endforeach()
endfunction()

function(expect_quiet name)
  if(NOT "${${name}_qerr}" STREQUAL "")
    message(FATAL_ERROR "${name}: --quiet still printed [${${name}_qerr}]")
  endif()
endfunction()

# A sound installation says nothing.
run(sound ${inst} match "<H1>Lesson01-01</H1><P>I is a student.</P>")
if(NOT sound_err STREQUAL "" OR NOT sound_out MATCHES "<B>3648</B>")
  message(FATAL_ERROR "sound: errors [${sound_err}], output [${sound_out}]")
endif()

# A template that is not there, and one that is not well-formed.
file(WRITE ${inst}/templates/Broken.xvt "<root>\n<Template>\n</root>\n")
run(missing ${inst} match "<H1>Lesson99-01</H1><P>I am a student.</P>")
expect_err(missing "zintra: cannot load template file templates/Lesson99-01.xvt: not found at ${inst}/templates/Lesson99-01.xvt")
expect_quiet(missing)
run(broken ${inst} match "<H1>Broken</H1><P>I am a student.</P>")
expect_err(broken "cannot load template file templates/Broken.xvt: not well-formed XML at line 3, column 3")
expect_quiet(broken)

# A folder without its global comments.
file(MAKE_DIRECTORY ${inst}/lonely)
file(COPY ${inst}/templates/Lesson01-01.xvt DESTINATION ${inst}/lonely)
run(global ${inst} match "<H1>../lonely/Lesson01-01</H1><P>I am a student.</P>")
expect_err(global "cannot load the folder's global comments templates/../lonely/Global.xvt: not found at ${inst}/lonely/Global.xvt")

# A question the query templates do not cover: the reply stays "Can't
# understand!", the explanation names what would be understood.
run(question ${inst} match "what is this")
expect_err(question "no query of queries/questions.rdql fits this question; queries/questions.xvt understands questions like its samples: \"")
if(NOT question_out STREQUAL "Can't understand!\n")
  message(FATAL_ERROR "question: output [${question_out}]")
endif()
run(answered ${inst} query "Which chapter teaches pronouns?")
if(NOT answered_err STREQUAL "" OR NOT answered_out MATCHES "\"pronouns\"")
  message(FATAL_ERROR "answered question: output [${answered_out}], errors [${answered_err}]")
endif()

# A sentence of more than 30 words.
set(long "I am a student")
foreach(i RANGE 8)
  string(APPEND long " and a student")
endforeach()
run(long ${inst} match "<H1>Lesson01-01</H1><P>${long}.</P>")
expect_err(long "the sentence has more than 30 words; only the first 30 are matched")
expect_quiet(long)

# An encoding name nobody knows, in the configuration and on the command line.
run(encoding ${inst} match --encoding no-such-code "<H1>Lesson01-01</H1><P>I am a student.</P>")
expect_err(encoding "--encoding no-such-code is not an encoding name")
string(REPLACE "ENCODE UTF-8" "ENCODE no-such-code" bad "${ini}")
file(WRITE ${inst}/encode.ini "${bad}")
run(encode ${inst} match --config encode.ini "<H1>Lesson01-01</H1><P>I am a student.</P>")
expect_err(encode "encode.ini: ENCODE no-such-code is not an encoding name")

# A misspelt key, named with its line and the key it probably means.
string(REPLACE "TEMPLATES_DIR" "TEMPLATE_DIR" bad "${ini}")
file(WRITE ${inst}/misspelt.ini "${bad}")
run(misspelt ${inst} match --config misspelt.ini "<H1>Lesson01-01</H1><P>I am a student.</P>")
expect_err(misspelt "misspelt.ini:" ": unknown key TEMPLATE_DIR is ignored (did you mean TEMPLATES_DIR?)")
expect_quiet(misspelt)

# Data files named relative to the current folder, run from another folder.
file(MAKE_DIRECTORY ${WORK}/elsewhere)
run(elsewhere ${WORK}/elsewhere match --config ${inst}/zintra.ini "<H1>Lesson01-01</H1><P>I am a student.</P>")
expect_err(elsewhere
  "DICTIONARY_FILE lexicon.txt: not found at ${WORK}/elsewhere/lexicon.txt"
  "relative names in the configuration are taken from the current folder (${WORK}/elsewhere)"
  "where ${inst}/lexicon.txt exists"
  "cannot initialise the engine")
if(NOT elsewhere_status EQUAL 1 OR NOT elsewhere_out STREQUAL "")
  message(FATAL_ERROR "elsewhere: status ${elsewhere_status}, output [${elsewhere_out}]")
endif()
if(NOT elsewhere_qerr MATCHES "^zintra: cannot initialise the engine from [^\n]*\n$")
  message(FATAL_ERROR "elsewhere: --quiet leaves one line, not [${elsewhere_qerr}]")
endif()
string(REPLACE "COMPOUND_FILE compounds.txt" "COMPOUND_FILE templates" bad "${ini}")
file(WRITE ${inst}/folder.ini "${bad}")
run(folder ${inst} tag --config folder.ini "I am a student.")
expect_err(folder "COMPOUND_FILE templates: is a folder, not a file")
string(REPLACE "GRAMMAR_FILE grammar.txt" "GRAMMAR_FILE grammar.text" bad "${ini}")
file(WRITE ${inst}/grammar.ini "${bad}")
run(grammar ${inst} parse --config grammar.ini "I am a student.")
expect_err(grammar "GRAMMAR_FILE grammar.text: not found at ${inst}/grammar.text")
run(noconfig ${inst} match --config nothere.ini "<H1>Lesson01-01</H1><P>I am a student.</P>")
expect_err(noconfig "the configuration file nothere.ini: not found at ${inst}/nothere.ini")

# The page's script already beside it, so that both runs write the same.
file(COPY ${inst}/parse.js DESTINATION ${WORK})
run(reference ${inst} sample-tree templates/Lesson01-01.xvt --reference trees.txt --output ${WORK}/page.html)
expect_err(reference "--reference trees.txt: not found at ${inst}/trees.txt; the trees are written without a comparison")

# show: a template name as match requests give it, and warnings about what the
# reader quietly reinterprets.
run(showname ${inst} show Lesson01-01)
execute_process(COMMAND ${ZINTRA} show templates/Lesson01-01.xvt WORKING_DIRECTORY ${inst} OUTPUT_VARIABLE byfile)
if(NOT showname_out STREQUAL byfile OR NOT showname_err STREQUAL "" OR NOT byfile MATCHES "^file: templates/Lesson01-01.xvt\n")
  message(FATAL_ERROR "show by name: [${showname_out}] vs [${byfile}], errors [${showname_err}]")
endif()
file(READ ${inst}/templates/Lesson01-01.xvt xvt)
string(REGEX REPLACE "type=(.)correct(.)" "type=\\1corect\\2" odd "${xvt}")
string(REGEX REPLACE "<Next>[^<]*</Next>" "<Next>w99</Next>" odd "${odd}")
file(WRITE ${inst}/templates/Odd.xvt "${odd}")
run(odd ${inst} show Odd)
expect_err(odd
  "templates/Odd.xvt: template \"I am a student\", node "
  ": Next \"w99\" names no node of the template; the edge is left out"
  "has the type \"corect\", not correct, normal or wrong; it is read as correct")
expect_quiet(odd)
if(NOT odd_status EQUAL 0)
  message(FATAL_ERROR "odd: status ${odd_status}")
endif()
run(showmissing ${inst} show Lesson99-01)
expect_err(showmissing "cannot read templates/Lesson99-01.xvt: not found at ${inst}/templates/Lesson99-01.xvt")
run(showpath ${inst} show templates/Lesson99-01.xvt)
expect_err(showpath "cannot read templates/Lesson99-01.xvt: not found at ${inst}/templates/Lesson99-01.xvt")
