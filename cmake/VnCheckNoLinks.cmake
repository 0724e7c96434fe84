# cmake -DBINARY=<program> -DFORBIDDEN=<regex> -P VnCheckNoLinks.cmake
# Fails when ldd lists a shared library whose name matches FORBIDDEN: a
# headless program must start where no window system is installed.
execute_process(COMMAND ldd ${BINARY} OUTPUT_VARIABLE listing ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ldd ${BINARY} failed (${status}): ${errors}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(found)
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  string(REGEX MATCH "^[^ ]+" name "${line}")
  if(name MATCHES "${FORBIDDEN}")
    list(APPEND found ${name})
  endif()
endforeach()
if(found)
  list(JOIN found ", " found)
  message(FATAL_ERROR "${BINARY} links ${found}")
endif()
message(STATUS "${BINARY} links nothing matching ${FORBIDDEN}")
