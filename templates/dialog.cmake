# kvd_templates_dialog: the templates form TPoligono, its tab tables,
# parameter editing and the dialog run; KvdTemplates: the shared library
# with the three exports.
add_library(kvd_templates_dialog STATIC
  ${CMAKE_CURRENT_LIST_DIR}/dialog_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_matrice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_poligono.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_regolare.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_rettangolo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_irregolare.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_ellisse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_tagli.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_cucina.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_bagno.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_angolo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_lapide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_scalino.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_tab_copertina.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_language.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameter_editing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameter_editing_slots.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameter_editing_text.cpp)
set_target_properties(kvd_templates_dialog PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_link_libraries(kvd_templates_dialog PUBLIC kvd_templates_core kvd_template_settings kvd_ui kvd_base)

add_library(KvdTemplates SHARED ${CMAKE_CURRENT_LIST_DIR}/exports.cpp)
target_link_libraries(KvdTemplates PRIVATE kvd_templates_dialog)
if(NOT KVD_SANITIZE)
  target_link_options(KvdTemplates PRIVATE -Wl,--no-undefined)
endif()
if(COMMAND kvd_version_note)
  kvd_version_note(KvdTemplates)
endif()
