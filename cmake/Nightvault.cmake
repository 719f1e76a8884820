# Helpers shared by every folder's CMakeLists.txt.

set(NV_WARNINGS -Wall -Wextra -Werror)

# Adds every folder below ${tree} that holds a CMakeLists.txt.
function(nv_add_tree tree)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${tree})
    return()
  endif()
  file(GLOB_RECURSE lists RELATIVE ${CMAKE_SOURCE_DIR}
       CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${tree}/CMakeLists.txt)
  list(SORT lists)
  foreach(list_file ${lists})
    get_filename_component(dir ${list_file} DIRECTORY)
    add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
  endforeach()
endfunction()

# nv_library(name [SOURCES_FROM dir...] [DEPS target...] [SYSTEM_DEPS lib...])
# A static library of every .cpp in the calling folder (and the folders named
# by SOURCES_FROM, relative to the repository).
function(nv_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES_FROM;DEPS;SYSTEM_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(dir ${ARG_SOURCES_FROM})
    file(GLOB more CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${more})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_compile_options(${name} PRIVATE ${NV_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_SYSTEM_DEPS})
endfunction()

# nv_test(name [THREADED] DEPS target...): one GoogleTest executable of every
# .cpp in the calling folder, registered with CTest. THREADED suites also run
# under ThreadSanitizer (label "threaded"); a ThreadSanitizer tree builds only those.
function(nv_test name)
  cmake_parse_arguments(ARG "THREADED" "" "DEPS" ${ARGN})
  set(labels unit)
  if(ARG_THREADED)
    set(labels threaded)
  elseif(NV_TSAN)
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${NV_WARNINGS})
  target_compile_definitions(${name} PRIVATE
    NV_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    NV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES LABELS ${labels}
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;NIGHTVAULT_USER_DIR=${CMAKE_BINARY_DIR}/test-user")
endfunction()

# nv_bench(name DEPS target...): one Google Benchmark executable.
function(nv_bench name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${NV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
