# kvd_test(NAME SOURCES... LIBS ...): one GoogleTest program, registered with CTest.
function(kvd_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  # Every test program carries the leak suppressions for system libraries.
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/common/lsan_suppressions.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    TEST_LIST ${name}_TESTS
    DISCOVERY_TIMEOUT 60)
  # gtest_discover_tests passes each entry of a list-valued property on as an
  # argument of its own, so only the first variable of an ENVIRONMENT list
  # would arrive; a test include file that runs after discovery sets them all.
  set(env "QT_QPA_PLATFORM=offscreen;KVD_UI_NONINTERACTIVE=1;KVD_SOURCE_DIR=${PROJECT_SOURCE_DIR};KVD_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  set(env_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${env_file}
    "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${env}]==])\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_file})
endfunction()

# kvd_glob_sources(VAR DIR): the C++ sources of one folder (not recursive).
function(kvd_glob_sources var dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${var} ${srcs} PARENT_SCOPE)
endfunction()
