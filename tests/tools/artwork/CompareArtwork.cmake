# cmake -DGENERATOR=<kxr-artwork> -DRESOURCES=<resources folder> -DDRAWN=<work folder>
#       -P CompareArtwork.cmake
# Runs the artwork generator into DRAWN (emptied first) and compares every file
# it writes with the file of the same name under RESOURCES, byte for byte; a
# file under RESOURCES that the generator does not write counts as a
# difference too. Fails naming the first file that differs; DRAWN is removed
# when all agree and kept for a look otherwise.
cmake_minimum_required(VERSION 3.25)

foreach(var GENERATOR RESOURCES DRAWN)
  if(NOT ${var})
    message(FATAL_ERROR "CompareArtwork.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${DRAWN}")
file(MAKE_DIRECTORY "${DRAWN}")
execute_process(COMMAND "${GENERATOR}" "${DRAWN}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the artwork generator failed (${status})")
endif()

file(GLOB_RECURSE drawn LIST_DIRECTORIES false RELATIVE "${DRAWN}" "${DRAWN}/*")
file(GLOB_RECURSE kept LIST_DIRECTORIES false RELATIVE "${RESOURCES}" "${RESOURCES}/*")
if(NOT drawn)
  message(FATAL_ERROR "the artwork generator wrote nothing into ${DRAWN}")
endif()
list(SORT drawn)
foreach(name IN LISTS drawn)
  if(NOT EXISTS "${RESOURCES}/${name}")
    message(FATAL_ERROR "resources/${name} is missing: the artwork generator draws it (${DRAWN}/${name})")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${DRAWN}/${name}" "${RESOURCES}/${name}"
                  RESULT_VARIABLE differs OUTPUT_QUIET ERROR_QUIET)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "resources/${name} differs from what the artwork generator draws (${DRAWN}/${name})")
  endif()
endforeach()
list(SORT kept)
foreach(name IN LISTS kept)
  if(NOT name IN_LIST drawn)
    message(FATAL_ERROR "resources/${name} is not drawn by the artwork generator")
  endif()
endforeach()

file(REMOVE_RECURSE "${DRAWN}")
message(STATUS "${RESOURCES}: every picture as the artwork generator draws it")
