# Included by the top CMakeLists.txt in the checking build (make test): builds
# the fuzz targets in <build>/fuzz with clang as a project of its own, and runs
# each as a test for a few seconds, its seeds first, so that a reader that
# crashes on one of them, or on what a short search finds, fails the tests.
# Without clang++-16 the fuzz targets are left out with a message.
find_program(KRN_FUZZ_CXX clang++-16)
if(NOT KRN_FUZZ_CXX)
  message(STATUS "clang++-16 not found: the fuzz targets are neither built nor run")
  return()
endif()

include(ExternalProject)
set(KRN_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
# The fuzz build starts once the program, the tests and the benchmarks are
# built, with as many jobs as the main build (JOBS, else every core), so that
# the two never add up to more.
if(DEFINED ENV{JOBS})
  set(fuzz_jobs $ENV{JOBS})
else()
  cmake_host_system_information(RESULT fuzz_jobs QUERY NUMBER_OF_LOGICAL_CORES)
endif()
set(main_targets krn)
foreach(folder tests bench)
  get_property(targets DIRECTORY ${PROJECT_SOURCE_DIR}/${folder} PROPERTY BUILDSYSTEM_TARGETS)
  list(APPEND main_targets ${targets})
endforeach()
ExternalProject_Add(fuzz_targets
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/fuzz
  BINARY_DIR ${KRN_FUZZ_DIR}
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${KRN_FUZZ_CXX}
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${KRN_FUZZ_DIR} -j ${fuzz_jobs}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  DEPENDS ${main_targets})

file(GLOB fuzz_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source ${fuzz_sources})
  get_filename_component(name ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${name})
  add_test(NAME fuzz_${name} COMMAND ${PROJECT_SOURCE_DIR}/fuzz/run check ${KRN_FUZZ_DIR} 5 ${name})
  set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT 300 LABELS fuzz)
endforeach()

# The converter's output for each form of literal, against the copy checked by hand.
add_test(NAME fuzz_cp932_literals
         COMMAND sh -c "\"$1\" \"$2\" \"$3\" && cmp \"$3\" \"$4\"" sh ${KRN_FUZZ_DIR}/cp932_literals
                 ${PROJECT_SOURCE_DIR}/fuzz/literals/sample.cpp
                 ${CMAKE_CURRENT_BINARY_DIR}/cp932_literals_sample.cpp
                 ${PROJECT_SOURCE_DIR}/fuzz/literals/sample.expected.cpp)
set_tests_properties(fuzz_cp932_literals PROPERTIES LABELS fuzz)
