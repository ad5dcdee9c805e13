# Tests of the templates engine (regeneration, preview, output, app link).
kvd_test(test_templates_engine
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/engine_rectangle_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/engine_preview_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/engine_output_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/engine_app_link_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/engine_matrix_test.cpp
  LIBS kvd_templates_core)
