# Win32 half of the application shell: the windows, and the program itself.
qm_library(qm_app_win SOURCES main_form.cpp preview_manager.cpp splash_form.cpp logo.cpp
           DEPS qm_app_core qm_ui)
target_link_libraries(qm_app_win PUBLIC winmm shell32)

# Icon made by our own script; the resource script points at it.
set(QM_ICON "${CMAKE_BINARY_DIR}/res/quillmark.ico")
add_custom_command(OUTPUT "${QM_ICON}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/res"
  COMMAND python3 "${PROJECT_SOURCE_DIR}/scripts/make_icon.py" "${QM_ICON}"
  DEPENDS "${PROJECT_SOURCE_DIR}/scripts/make_icon.py")
configure_file("${PROJECT_SOURCE_DIR}/res/quillmark.rc.in" "${CMAKE_BINARY_DIR}/res/quillmark.rc" @ONLY)
set_source_files_properties("${CMAKE_BINARY_DIR}/res/quillmark.rc" PROPERTIES
  OBJECT_DEPENDS "${QM_ICON};${PROJECT_SOURCE_DIR}/res/quillmark.manifest")

add_executable(Quillmark WIN32 main.cpp "${CMAKE_BINARY_DIR}/res/quillmark.rc")
qm_project_flags(Quillmark)
target_link_libraries(Quillmark PRIVATE qm_app_win)
