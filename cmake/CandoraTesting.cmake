find_package(GTest REQUIRED)
include(GoogleTest)

# candora_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [QT])
# One GoogleTest executable; every test case becomes a CTest test. QT tests run headless.
function(candora_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  candora_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(env "")
  if(ARG_QT)
    set(env QT_QPA_PLATFORM=offscreen)
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${env}" LABELS ${name})
endfunction()
