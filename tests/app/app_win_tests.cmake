# Windows of the shell, created in the test process: every *_test.cpp here
# but the portable ones and the end-to-end test of the real program.
file(GLOB QM_APP_WIN_TESTS CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp")
foreach(other file_kind_test.cpp shell_texts_test.cpp pane_logic_test.cpp program_test.cpp)
  list(REMOVE_ITEM QM_APP_WIN_TESTS "${CMAKE_CURRENT_SOURCE_DIR}/${other}")
endforeach()
qm_gtest(qm_app_win_tests SOURCES ${QM_APP_WIN_TESTS} DEPS qm_app_win)
if(TARGET qm_encoded_texts)
  add_dependencies(qm_app_win_tests qm_encoded_texts)
endif()

# The real program in its own processes.
qm_gtest(qm_app_e2e_tests SOURCES program_test.cpp DEPS qm_app_core qm_ui)
add_dependencies(qm_app_e2e_tests Quillmark)
