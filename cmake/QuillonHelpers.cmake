# Warnings for Quillon's own targets; third-party headers come in as system includes.
function(quillon_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  if(QUILLON_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A static library made of every source in one folder of src/.
function(quillon_add_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
  quillon_warnings(${name})
endfunction()

# One GoogleTest executable per folder of tests/, each case registered with CTest.
function(quillon_add_test_suite folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target ${folder}_tests)
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PRIVATE ${ARGN} GTest::gmock GTest::gtest)
  # The suites' own code needs no more than -O1 (the layers under test keep the build's
  # optimisation), and GoogleTest is read once per suite, not once per file: the suites
  # build faster. GCC 12 then warns of out-of-bounds copies inside std::string's own
  # inlined code that cannot happen; AddressSanitizer checks the suites' real accesses.
  target_compile_options(${target} PRIVATE -O1)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow)
  endif()
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  target_compile_definitions(${target} PRIVATE
    QUILLON_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
    QUILLON_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUILLON_BINARY_DIR="${PROJECT_BINARY_DIR}")
  quillon_warnings(${target})
  if(QUILLON_TEST_ENV)
    # Labelled "qt": the sanitizer run treats these suites apart (Chromium is not instrumented).
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "${QUILLON_TEST_ENV}" LABELS qt)
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
