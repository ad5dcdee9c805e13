# kvd_test(NAME SOURCES... LIBS ...): one GoogleTest program, registered with CTest.
function(kvd_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KVD_UI_NONINTERACTIVE=1;KVD_SOURCE_DIR=${PROJECT_SOURCE_DIR};KVD_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
    DISCOVERY_TIMEOUT 60)
endfunction()

# kvd_glob_sources(VAR DIR): the C++ sources of one folder (not recursive).
function(kvd_glob_sources var dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${var} ${srcs} PARENT_SCOPE)
endfunction()
