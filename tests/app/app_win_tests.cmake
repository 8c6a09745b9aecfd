qm_gtest(qm_app_win_tests SOURCES main_window_test.cpp DEPS qm_app_win)
qm_gtest(qm_app_e2e_tests SOURCES program_test.cpp DEPS qm_app_core qm_ui)
add_dependencies(qm_app_e2e_tests Quillmark)
