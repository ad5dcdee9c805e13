# Tests of the shape generators: regular and irregular polygons, ellipse,
# straight cuts, step and coping.
kvd_test(test_generators_shapes
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/generators_shapes_polygons_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/generators_shapes_ellipse_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/generators_shapes_cuts_step_coping_test.cpp
  LIBS kvd_templates_core)
