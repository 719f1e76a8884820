# Helpers shared by every folder's CMakeLists.txt.

set(NV_WARNINGS -Wall -Wextra -Werror)
# GCC 12 reports overlapping copies inside std::string's own concatenation
# when it inlines it at -O2 and above; later versions do not.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND NV_WARNINGS -Wno-restrict)
endif()

# Test code is compiled unoptimised with line tables only: most of its
# build time is GoogleTest's templates, and the code under test keeps the
# tree's own optimisation.
set(NV_TEST_CODE_OPTIONS -O0 -g1)

# Adds every folder below ${tree} that holds a CMakeLists.txt, except test
# fixtures (folders named data/).
function(nv_add_tree tree)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${tree})
    return()
  endif()
  file(GLOB_RECURSE lists RELATIVE ${CMAKE_SOURCE_DIR}
       CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${tree}/CMakeLists.txt)
  list(FILTER lists EXCLUDE REGEX "(^|/)data/")
  list(SORT lists)
  foreach(list_file ${lists})
    get_filename_component(dir ${list_file} DIRECTORY)
    add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
  endforeach()
endfunction()

# The include root of the calling folder: each of the framework's layers
# (core/tavrine/src/common, win, win_raz) is its own root, so that
# "lang/DString.h" is seen only by targets that link the layer; projects/ is
# the root of the libraries above the framework; everything else includes
# from the repository ("platform/files/File.h").
function(nv_include_root out)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  if(rel MATCHES "^core/tavrine/src/([^/]+)")
    set(${out} ${CMAKE_SOURCE_DIR}/core/tavrine/src/${CMAKE_MATCH_1} PARENT_SCOPE)
  elseif(rel MATCHES "^projects(/|$)")
    set(${out} ${CMAKE_SOURCE_DIR}/projects PARENT_SCOPE)
  else()
    set(${out} ${CMAKE_SOURCE_DIR} PARENT_SCOPE)
  endif()
endfunction()

# nv_library(name [SOURCES file...] [EXCLUDE file...] [SOURCES_FROM dir...] [DEPS target...] [SYSTEM_DEPS lib...])
# A static library of every .cpp in the calling folder (or of SOURCES, or of
# the folder without EXCLUDE) and in the folders named by SOURCES_FROM
# (relative to the repository), exporting only its own include root. DEPS are
# the libraries of this or a lower layer it includes from.
function(nv_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;EXCLUDE;SOURCES_FROM;DEPS;SYSTEM_DEPS" ${ARGN})
  if(ARG_SOURCES)
    list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(skip ${ARG_EXCLUDE})
      list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${skip})
    endforeach()
  endif()
  foreach(dir ${ARG_SOURCES_FROM})
    file(GLOB more CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${more})
  endforeach()
  nv_include_root(root)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${root})
  target_compile_options(${name} PRIVATE ${NV_WARNINGS})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  if(rel MATCHES "^tests(/|$)")
    target_compile_options(${name} PRIVATE ${NV_TEST_CODE_OPTIONS})
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_SYSTEM_DEPS})
endfunction()

# nv_interface(name [DEPS target...]): a library of headers only.
function(nv_interface name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  nv_include_root(root)
  add_library(${name} INTERFACE)
  target_include_directories(${name} INTERFACE ${root})
  target_link_libraries(${name} INTERFACE ${ARG_DEPS})
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
  target_compile_options(${name} PRIVATE ${NV_WARNINGS} ${NV_TEST_CODE_OPTIONS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    NV_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    NV_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}"
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
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${NV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# nv_fuzz(name SOURCES file... DEPS target...): a libFuzzer target, made only
# in a fuzz tree (clang, -DNV_FUZZ=ON; see the root CMakeLists.txt).
function(nv_fuzz name)
  if(NOT NV_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${NV_WARNINGS} -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()
