# Tests of the worktop generators ("Piano cucina", "Top bagno", "Top ad angolo").
kvd_test(test_generators_tops
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/generators_tops_kitchen_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/generators_tops_bathroom_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/generators_tops_corner_test.cpp
  LIBS kvd_templates_core)
