# Helpers shared by every layer and test area.

# Our own code is built warning-free with these, and a warning stops the build.
# Qt, Net-SNMP and GoogleTest come in as system headers, so their warnings do
# not count. Clang (the fuzz tree) groups its warnings differently, so it gets
# the common set without -Werror. With -Wsign-conversion every mix of signed
# and unsigned in index and size arithmetic is spelled out: a cast says the
# value is known not to be negative.
# GCC 12 reports -Wrestrict and -Warray-bounds from inside libstdc++'s string
# and vector copies once it optimises (the tests in a Release tree): those
# stay warnings.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(VN_WARNINGS -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Werror -Wno-error=restrict
                  -Wno-error=array-bounds)
else()
  set(VN_WARNINGS -Wall -Wextra)
endif()

# vn_add_layer(<target> DIRS <dir>... [FLAT] [PUBLIC_INCLUDE <dir>] [DEPS <target>...] [PRIVATE_DEPS <target>...])
# A static library over every .cpp file found below the given folders (only
# directly in them with FLAT). A layer
# without sources yet becomes an interface library, so that its users link it
# all the same.
function(vn_add_layer target)
  cmake_parse_arguments(L "FLAT" "PUBLIC_INCLUDE" "DIRS;DEPS;PRIVATE_DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS L_DIRS)
    if(L_FLAT)
      file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    else()
      file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    endif()
    list(APPEND sources ${found})
  endforeach()
  if(NOT L_PUBLIC_INCLUDE)
    set(L_PUBLIC_INCLUDE ${PROJECT_SOURCE_DIR})
  endif()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${L_PUBLIC_INCLUDE})
    target_link_libraries(${target} PUBLIC ${L_DEPS} PRIVATE ${L_PRIVATE_DEPS})
    target_compile_options(${target} PRIVATE ${VN_WARNINGS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${L_PUBLIC_INCLUDE})
    target_link_libraries(${target} INTERFACE ${L_DEPS})
  endif()
endfunction()

# vn_label_test_area()
# Gives every test of the current folder below tests/ the label of its
# top-level area, the first folder below tests/ (tests/forms/acl: forms), so
# that "ctest -L <area>" runs the whole area; the finer labels the tests are
# given stay beside it. A folder label, so that tests added by hand and those
# GoogleTest lists at build time get it alike.
function(vn_label_test_area)
  file(RELATIVE_PATH below ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  if(below STREQUAL "" OR below MATCHES "^\\.\\.")
    message(FATAL_ERROR "tests outside a folder below tests/: ${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  string(REGEX REPLACE "/.*" "" area "${below}")
  get_property(labels DIRECTORY PROPERTY LABELS)
  list(APPEND labels ${area})
  list(REMOVE_DUPLICATES labels)
  set_property(DIRECTORY PROPERTY LABELS ${labels})
endfunction()

# vn_add_test(<name> LABEL <label> SOURCES <file>... [LIBS <target>...])
# One GoogleTest binary, registered with CTest test by test. The shared test
# main sets the offscreen Qt platform, so listing the tests at build time
# needs no display. Its tests carry the finer label given and, like every
# test of their folder, the label of the top-level area (vn_label_test_area).
function(vn_add_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE vn_test_support ${T_LIBS} GTest::gtest GTest::gmock)
  target_compile_options(${name} PRIVATE ${VN_WARNINGS})
  vn_label_test_area()
  # Disabled tests are benchmarks run by hand: CTest does not list them.
  # gtest_discover_tests passes its PROPERTIES on as one flat list, which
  # splits a value that is a list itself: each variable goes through a
  # property that holds it alone.
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    TEST_FILTER "-*.DISABLED_*:DISABLED_*"
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
               ENVIRONMENT "VN_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
               ENVIRONMENT_MODIFICATION "VN_ARTIFACTS_DIR=set:${PROJECT_BINARY_DIR}/artifacts")
endfunction()
