# libzintra.so exports exactly the twelve functions that zintra.h declares,
# and nothing else: no C++ symbol of the core leaks out. The one exception is
# the type information of standard-library classes, which the
# UndefinedBehaviorSanitizer build keeps visible for its type checks.
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  RESULT_VARIABLE status OUTPUT_VARIABLE listing ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed: ${err}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] +" "" name "${line}")
  if(name MATCHES "^_ZT[IS]St")
    continue()
  endif()
  list(APPEND exported ${name})
endforeach()
list(SORT exported)

file(READ ${HEADER} header)
string(REGEX MATCHALL "ZINTRA_API int ZINTRA_CALL [A-Za-z]+\\(" declarations "${header}")
set(declared)
foreach(d IN LISTS declarations)
  string(REGEX REPLACE "^ZINTRA_API int ZINTRA_CALL ([A-Za-z]+)\\($" "\\1" name "${d}")
  list(APPEND declared ${name})
endforeach()
list(SORT declared)

list(LENGTH declared count)
if(NOT count EQUAL 12)
  message(FATAL_ERROR "zintra.h declares ${count} exports, not twelve: ${declared}")
endif()
if(NOT exported STREQUAL declared)
  message(FATAL_ERROR "libzintra.so exports [${exported}], zintra.h declares [${declared}]")
endif()
