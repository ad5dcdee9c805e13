# Tests of the templates dialog: the form and its editing linked in, and the
# shared library loaded as the host loads it.
kvd_test(test_templates_dialog
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/dialog_editing_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_matrix_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_run_test.cpp
    ${PROJECT_SOURCE_DIR}/templates/exports.cpp
  LIBS kvd_templates_dialog)
kvd_test(test_templates_library
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialog_library_test.cpp
  LIBS kvd_template_settings kvd_ui kvd_base ${CMAKE_DL_LIBS})
add_dependencies(test_templates_library KvdTemplates)
