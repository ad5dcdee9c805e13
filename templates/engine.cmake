# kvd_templates_core: the regeneration engine of the templates dialog (shape
# output, dimension marks, measurements, preview, generators), the output to
# the host and the app link. The dialog library links it.
add_library(kvd_templates_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/app_link.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dimension_marks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/duplication_matrix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/generator_dispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measurements.cpp
  ${CMAKE_CURRENT_LIST_DIR}/overlay_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/regeneration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shape_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/template_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/template_tabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tombstone_list.cpp)
file(GLOB KVD_TEMPLATE_GENERATORS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/generators/*.cpp)
target_sources(kvd_templates_core PRIVATE ${KVD_TEMPLATE_GENERATORS})
set_target_properties(kvd_templates_core PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_link_libraries(kvd_templates_core PUBLIC kvd_template_settings kvd_ui kvd_base)
